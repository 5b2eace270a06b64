#pragma once
// What the program's command line asks before any window opens: help, the
// version, the PDF printing command, or an option nobody knows; and whether a
// window can open at all.

#include <optional>

// The exit status when the command line is answered without running the
// program; nothing when the program should run (with an optional group file).
std::optional<int> answerCommandLine(int argc, char** argv);
