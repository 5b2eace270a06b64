#include "platform/message_box.h"

#include "platform/interaction.h"
#include "platform/resources.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

namespace platform {

int AfxMessageBox(const QString& text, unsigned type) {
    return AfxMessageBox(text, type, QStringList());
}

int AfxMessageBox(const QString& text, unsigned type, const QStringList& buttonTexts) {
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    MessageBoxRequest request{AfxGetAppName(), text, type, buttonTexts};
    return interaction().messageBox(request, QApplication::activeWindow());
}

int AfxMessageBox(unsigned stringId, unsigned type) {
    return AfxMessageBox(AfxLoadString(stringId), type);
}

QString AfxLoadString(unsigned id) {
    const QString text = findResourceString(id);
    return text.isNull() ? QString("") : text;
}

QString formatMessage(QString text, const QString& arg1, const QString& arg2) {
    // One pass, so an argument that itself holds "%2" is not replaced again.
    QString result;
    result.reserve(text.size() + arg1.size() + arg2.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            result += text[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

QString AfxFormatString1(unsigned id, const QString& arg1) {
    return formatMessage(AfxLoadString(id), arg1);
}

QString AfxFormatString2(unsigned id, const QString& arg1, const QString& arg2) {
    return formatMessage(AfxLoadString(id), arg1, arg2);
}

QString AfxGetAppName() {
    // A Linux program file has no extension to cut off: the whole file name.
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QString("dravo") : QFileInfo(path).fileName();
}

} // namespace platform
