#pragma once
// Windows-1252 is the code page of every text in a group file. These
// conversions let the UI show and take text in UTF-8; characters the code page
// cannot hold are reported rather than silently replaced.

#include <cstddef>
#include <string>
#include <string_view>

namespace groupdata {

// Every byte has a character: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number,
// so a conversion back gives the same bytes.
std::string cp1252ToUtf8(std::string_view cp1252);

struct Cp1252Encoding {
    std::string text;            // the Windows-1252 bytes, complete only when ok()
    char32_t offending = 0;      // the first character that could not be converted
    std::size_t offendingAt = 0; // its byte offset in the UTF-8 input
    bool valid = true;
    bool ok() const { return valid; }
};

// Stops at the first character Windows-1252 has no byte for, or at the first
// malformed UTF-8 sequence (reported as U+FFFD).
Cp1252Encoding utf8ToCp1252(std::string_view utf8);

} // namespace groupdata
