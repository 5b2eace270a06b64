#pragma once
// "dravo --print-pdf OUT.pdf GROUP.k09": the collection list of the group
// file's report month, printed exactly as the list dialog prints it, into a
// PDF file, without a window and without touching the group file or the
// settings.

// True when the command line asks for it; main runs it instead of the program.
bool isPrintPdfCommand(int argc, char** argv);
// Runs it and returns the exit status: 0 when the PDF was written, 1 when the
// input or output failed, 2 for a wrong command line. Messages go to stderr.
int runPrintPdfCommand(int argc, char** argv);
