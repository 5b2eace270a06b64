#include "groupdata/group_records.h"

#include <algorithm>
#include <cstring>

namespace groupdata {

std::string readText(const std::uint8_t* field, std::size_t width) {
    const auto* end = static_cast<const std::uint8_t*>(std::memchr(field, 0, width));
    const std::size_t length = end ? static_cast<std::size_t>(end - field) : width;
    return std::string(reinterpret_cast<const char*>(field), length);
}

void writeText(std::uint8_t* field, std::size_t width, const std::string& text) {
    const std::size_t length = std::min(text.size(), width - 1);
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, width - length);
}

namespace {

enum class Keep204 { Never, Always, First30 };

struct ScrambledField {
    std::size_t offset;
    Keep204 keep;
};

// The order matters: a field whose text runs on past its width is measured
// after the fields before it were transformed.
constexpr ScrambledField scrambledFields[] = {
    {2, Keep204::Always},  {23, Keep204::Always}, {44, Keep204::First30}, {107, Keep204::Never},
    {122, Keep204::Never}, {137, Keep204::Never}, {152, Keep204::Never},  {161, Keep204::Never},
};

// Each pass ends every field that cannot run on with a 0, which also bounds the
// fields that can (the second and third telephone numbers stop at byte 160).
constexpr std::size_t forcedTerminators[] = {22, 43, 106, 121, 160, 169};

constexpr std::uint8_t keptByte = 0xCC;

} // namespace

void scrambleRecord(int direction, std::uint8_t* record) {
    for (std::size_t at : forcedTerminators)
        record[at] = 0;
    // Only the low byte of the direction takes part, so -1 works as 255.
    const auto d = static_cast<std::uint8_t>(direction);
    for (const ScrambledField& field : scrambledFields) {
        std::uint8_t* text = record + field.offset;
        const auto* nul =
            static_cast<const std::uint8_t*>(std::memchr(text, 0, recordSize - field.offset));
        const std::size_t length = static_cast<std::size_t>(nul - text);
        for (std::size_t i = 0; i < length; ++i) {
            const std::uint8_t b = text[i];
            if (b == keptByte &&
                (field.keep == Keep204::Always || (field.keep == Keep204::First30 && i < 30)))
                continue;
            text[i] = static_cast<std::uint8_t>(b + d * (i + 52));
        }
    }
}

} // namespace groupdata
