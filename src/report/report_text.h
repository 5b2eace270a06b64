#pragma once
// Text helpers of the report dialog: the leading number of a field's text and
// trimming.

#include <QString>

#include <string>

namespace report {

// The leading decimal number of text as the C library's atoi reads it
// (blanks, an optional sign, digits), saturated to +-10^12 instead of
// overflowing.
long long leadingNumber(const QString& text);

// The same, clamped to int for the credit arithmetic.
int leadingInt(const QString& text);

// Removes leading and trailing blanks, tabs and line breaks (not other
// characters the code page may count as space).
std::string trimBlanks(const std::string& text);

} // namespace report
