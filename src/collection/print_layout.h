#pragma once
// The page geometry and texts of one print job of the collection list, in
// printer pixels, and the description of the table grid drawn on each page.

#include <QString>

#include <array>
#include <cstdint>

struct PrintLayout {
    std::uint16_t topMargin = 0;  // y of the page title
    std::uint16_t leftMargin = 0; // x of the titles, the name caption and the names
    std::uint16_t lineHeight = 0; // header pitch while a header prints, then the row pitch
    std::uint16_t phoneX = 0;     // x of the telephone column
    std::int32_t pageRow = 0;     // row slot on the page; the first publisher is in slot 4
    std::int32_t dpiY = 0;
    std::int32_t dpiX = 0;
    QString title;
    QString subtitle;
};

// 0 top line y, 1 left edge x, 2 row height, 3 rows, 4 number of vertical
// lines m, 5..4+m their x from left to right (the last is the right edge).
constexpr int gridMaxLines = 7;
using GridSpec = std::array<std::int32_t, 5 + gridMaxLines>;

// The column captions a print job loads; the list dialog keeps them.
struct PrintCaptions {
    QString name;  // "Naam"
    QString phone; // "Telefoon"
};
