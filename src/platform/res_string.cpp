#include "platform/res_string.h"

#include "platform/message_box.h"

const QString& ResString(unsigned id, unsigned argId) {
    // One result for every caller: the program has a single UI thread and each
    // caller uses the text before calling again.
    static QString result;
    static QString argument;
    if (argId == 0) {
        result = platform::AfxLoadString(id);
    } else {
        argument = platform::AfxLoadString(argId);
        result = platform::AfxFormatString1(id, argument);
    }
    return result;
}
