#include "report/report_text.h"

#include <algorithm>
#include <climits>

namespace report {
namespace {

constexpr long long numberLimit = 1000000000000LL;

bool isBlank(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

long long leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i].unicode()))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i].unicode() - '0'), numberLimit);
    return negative ? -value : value;
}

int leadingInt(const QString& text) {
    return int(std::clamp<long long>(leadingNumber(text), INT_MIN, INT_MAX));
}

std::string trimBlanks(const std::string& text) {
    const auto first =
        std::find_if_not(text.begin(), text.end(), [](char c) { return isBlank(char32_t(c)); });
    const auto last = std::find_if_not(text.rbegin(), text.rend(), [](char c) {
                          return isBlank(char32_t(c));
                      }).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace report
