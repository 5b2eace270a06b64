#pragma once
// The records of a group file, held as the bytes the file stores. Every field
// is read and written at its fixed offset, little-endian, so the layout never
// depends on the compiler's struct packing or the host's byte order, and
// every byte nobody interprets survives untouched.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace groupdata {

constexpr std::size_t recordSize = 816;
constexpr std::size_t remarkRecordSize = 48;
constexpr unsigned monthCount = 12;
constexpr unsigned slotCount = 3;
constexpr unsigned categoryCount = 8;

inline std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline void writeU16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

// A NUL-terminated text inside a fixed-width field; a field without a NUL
// yields all of its bytes, never the bytes after it.
std::string readText(const std::uint8_t* field, std::size_t width);
// Writes at most width - 1 bytes of text, then zero-fills the rest of the field.
void writeText(std::uint8_t* field, std::size_t width, const std::string& text);

// Per-cell value categories, in the order of the record's cell table.
enum Category : unsigned {
    Placements = 0,
    Videos = 1,
    Hours = 2,
    ReturnVisits = 3,
    Studies = 4,
    RemarkIndex = 5,
    CreditHours = 6,
    Category7 = 7,
};

// Bits of a cell's studies value.
constexpr std::uint16_t studiesCountMask = 0x03FF;
constexpr std::uint16_t studiesBit10 = 0x0400;
constexpr std::uint16_t participatedBit = 0x0800;

class GroupHeader {
public:
    static constexpr std::size_t emailOffset = 44, emailWidth = 63;
    static constexpr std::size_t publisherCountOffset = 180;
    static constexpr std::size_t groupNumberOffset = 181;
    static constexpr std::size_t remarkCountOffset = 184;
    static constexpr std::size_t headerMonthOffset = 238;

    std::array<std::uint8_t, recordSize> bytes{};

    std::string email() const { return readText(&bytes[emailOffset], emailWidth); }
    void setEmail(const std::string& text) { writeText(&bytes[emailOffset], emailWidth, text); }
    // Signed in the file: 128 and above read as negative and mark an invalid file.
    std::int8_t publisherCount() const {
        return static_cast<std::int8_t>(bytes[publisherCountOffset]);
    }
    void setPublisherCountByte(std::uint8_t value) { bytes[publisherCountOffset] = value; }
    std::uint8_t groupNumber() const { return bytes[groupNumberOffset]; }
    void setGroupNumber(std::uint8_t value) { bytes[groupNumberOffset] = value; }
    std::uint16_t remarkCount() const { return readU16(&bytes[remarkCountOffset]); }
    void setRemarkCount(std::uint16_t value) { writeU16(&bytes[remarkCountOffset], value); }
    std::uint8_t headerMonth() const { return bytes[headerMonthOffset]; }
    void setHeaderMonth(std::uint8_t value) { bytes[headerMonthOffset] = value; }
};

class PublisherRecord {
public:
    static constexpr std::size_t firstNameOffset = 2, nameWidth = 21;
    static constexpr std::size_t lastNameOffset = 23;
    static constexpr std::size_t emailOffset = 44, emailWidth = 63;
    static constexpr std::size_t phoneOffset = 107, phoneWidth = 15;
    static constexpr std::size_t lateFlagsLowOffset = 152, lateFlagsHighOffset = 161;
    static constexpr std::size_t groupNumberOffset = 181;
    static constexpr std::size_t pioneerStatusOffset = 202;
    static constexpr std::size_t privilegeOffset = 239;
    static constexpr std::size_t cellTableOffset = 240;
    static constexpr std::size_t categoryStride = 72;

    std::array<std::uint8_t, recordSize> bytes{};

    // Index of a cell within one [12][3] array.
    static std::size_t cellIndex(unsigned month, unsigned slot) { return month * slotCount + slot; }
    static std::size_t cellOffset(unsigned category, unsigned month, unsigned slot) {
        return cellTableOffset + categoryStride * category + cellIndex(month, slot) * 2;
    }
    // Months 0..5 lie at 152..157, months 6..11 at 161..166.
    static std::size_t lateFlagOffset(unsigned month) {
        return month < 6 ? lateFlagsLowOffset + month : lateFlagsHighOffset - 6 + month;
    }

    std::string firstName() const { return readText(&bytes[firstNameOffset], nameWidth); }
    void setFirstName(const std::string& t) { writeText(&bytes[firstNameOffset], nameWidth, t); }
    std::string lastName() const { return readText(&bytes[lastNameOffset], nameWidth); }
    void setLastName(const std::string& t) { writeText(&bytes[lastNameOffset], nameWidth, t); }
    std::string email() const { return readText(&bytes[emailOffset], emailWidth); }
    void setEmail(const std::string& t) { writeText(&bytes[emailOffset], emailWidth, t); }
    // Telephone fields by index 0..2 (the first, second and third number).
    std::string phone(unsigned index) const {
        return readText(&bytes[phoneOffset + phoneWidth * index], phoneWidth);
    }
    void setPhone(unsigned index, const std::string& t) {
        writeText(&bytes[phoneOffset + phoneWidth * index], phoneWidth, t);
    }

    std::uint8_t lateFlag(unsigned month) const { return bytes[lateFlagOffset(month)]; }
    void setLateFlag(unsigned month, std::uint8_t value) { bytes[lateFlagOffset(month)] = value; }

    std::int8_t groupNumber() const { return static_cast<std::int8_t>(bytes[groupNumberOffset]); }
    void setGroupNumber(std::int8_t value) {
        bytes[groupNumberOffset] = static_cast<std::uint8_t>(value);
    }
    std::uint8_t privilege() const { return bytes[privilegeOffset]; }
    void setPrivilege(std::uint8_t value) { bytes[privilegeOffset] = value; }

    std::uint8_t pioneerStatus(unsigned month, unsigned slot) const {
        return bytes[pioneerStatusOffset + cellIndex(month, slot)];
    }
    void setPioneerStatus(unsigned month, unsigned slot, std::uint8_t value) {
        bytes[pioneerStatusOffset + cellIndex(month, slot)] = value;
    }

    std::uint16_t cellValue(unsigned category, unsigned month, unsigned slot) const {
        return readU16(&bytes[cellOffset(category, month, slot)]);
    }
    void setCellValue(unsigned category, unsigned month, unsigned slot, std::uint16_t value) {
        writeU16(&bytes[cellOffset(category, month, slot)], value);
    }

    std::uint16_t placements(unsigned m, unsigned s) const { return cellValue(Placements, m, s); }
    void setPlacements(unsigned m, unsigned s, std::uint16_t v) {
        setCellValue(Placements, m, s, v);
    }
    std::uint16_t videos(unsigned m, unsigned s) const { return cellValue(Videos, m, s); }
    void setVideos(unsigned m, unsigned s, std::uint16_t v) { setCellValue(Videos, m, s, v); }
    std::uint16_t hours(unsigned m, unsigned s) const { return cellValue(Hours, m, s); }
    void setHours(unsigned m, unsigned s, std::uint16_t v) { setCellValue(Hours, m, s, v); }
    std::uint16_t returnVisits(unsigned m, unsigned s) const {
        return cellValue(ReturnVisits, m, s);
    }
    void setReturnVisits(unsigned m, unsigned s, std::uint16_t v) {
        setCellValue(ReturnVisits, m, s, v);
    }
    // The whole studies value: count in bits 0..9, participated in bit 11.
    std::uint16_t studies(unsigned m, unsigned s) const { return cellValue(Studies, m, s); }
    void setStudies(unsigned m, unsigned s, std::uint16_t v) { setCellValue(Studies, m, s, v); }
    std::uint16_t remarkIndex(unsigned m, unsigned s) const { return cellValue(RemarkIndex, m, s); }
    void setRemarkIndex(unsigned m, unsigned s, std::uint16_t v) {
        setCellValue(RemarkIndex, m, s, v);
    }
    std::uint16_t creditHours(unsigned m, unsigned s) const { return cellValue(CreditHours, m, s); }
    void setCreditHours(unsigned m, unsigned s, std::uint16_t v) {
        setCellValue(CreditHours, m, s, v);
    }

    bool participated(unsigned m, unsigned s) const {
        return (studies(m, s) & participatedBit) != 0;
    }
    void setParticipated(unsigned m, unsigned s, bool on) {
        const std::uint16_t v = studies(m, s);
        setStudies(m, s, on ? (v | participatedBit) : (v & ~participatedBit));
    }
    std::uint16_t studyCount(unsigned m, unsigned s) const {
        return studies(m, s) & studiesCountMask;
    }
};

class RemarkRecord {
public:
    static constexpr std::size_t textWidth = 37;

    std::array<std::uint8_t, remarkRecordSize> bytes{};

    std::string text() const { return readText(bytes.data(), textWidth); }
    // At most 36 bytes; byte 36 and the unused tail of the text are zeroed,
    // bytes 37..47 are left as they are.
    void setText(const std::string& t) { writeText(bytes.data(), textWidth, t); }
};

// Turns the eight text fields of one 816-byte publisher record between plain
// (direction -1) and stored (+1) form, in place.
void scrambleRecord(int direction, std::uint8_t* record);
inline void scrambleRecord(int direction, PublisherRecord& record) {
    scrambleRecord(direction, record.bytes.data());
}

} // namespace groupdata
