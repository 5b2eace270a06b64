#include "mainwin/command_line.h"
#include "mainwin/group_app.h"

int main(int argc, char** argv) {
    if (const auto status = answerCommandLine(argc, argv))
        return *status;
    return theApp.run(argc, argv);
}
