#include "groupdata/cp1252.h"

namespace groupdata {

namespace {

// Characters of bytes 0x80..0x9F; the undefined bytes stand for themselves.
constexpr char16_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t characterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return highControls[byte - 0x80];
    return byte;
}

bool byteOf(char32_t c, unsigned char& byte) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<unsigned char>(c);
        return true;
    }
    for (unsigned i = 0; i < 32; ++i) {
        if (highControls[i] == c) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr char32_t malformed = 0xFFFD;

// Decodes one UTF-8 sequence at `at`, advancing it; malformed input (overlong
// forms, surrogates, truncated sequences, values past U+10FFFF) gives U+FFFD.
char32_t decodeUtf8(std::string_view s, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(s[at++]);
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t c;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return malformed;
    }
    for (int i = 0; i < extra; ++i) {
        if (at >= s.size())
            return malformed;
        const auto next = static_cast<unsigned char>(s[at]);
        if ((next & 0xC0) != 0x80)
            return malformed;
        c = (c << 6) | (next & 0x3F);
        ++at;
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return malformed;
    return c;
}

} // namespace

std::string cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char ch : cp1252)
        appendUtf8(out, characterOf(static_cast<unsigned char>(ch)));
    return out;
}

Cp1252Encoding utf8ToCp1252(std::string_view utf8) {
    Cp1252Encoding result;
    result.text.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t start = at;
        const char32_t c = decodeUtf8(utf8, at);
        unsigned char byte = 0;
        // A U+FFFD written as such is as unrepresentable as a malformed sequence.
        if (c == malformed || !byteOf(c, byte)) {
            result.valid = false;
            result.offending = c;
            result.offendingAt = start;
            return result;
        }
        result.text += static_cast<char>(byte);
    }
    return result;
}

} // namespace groupdata
