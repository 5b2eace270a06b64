#pragma once
// Printing the collection list: all publishers of the group, 32 to a page, in
// a table whose geometry follows the printer's resolution.

#include "collection/list_source.h"
#include "collection/print_layout.h"

class QPrinter;

namespace platform {
class CDC;
class CFont;
} // namespace platform

enum class PrintOutcome {
    Printed,
    NoDevice, // the printer could not be opened; nothing printed
};

// One whole print job on printer: the document, its pages, and the captions
// it loads into captions.
PrintOutcome printCollectionList(QPrinter& printer, const ListSource& source,
                                 PrintCaptions& captions);

// Resolution, margins and header pitch of a fresh printer context.
void GetPageMetrics(platform::CDC& dc, PrintLayout& layout);
// Every page of the list, each between StartPage and EndPage.
void PrintList(platform::CDC& dc, PrintLayout& layout, const ListSource& source,
               PrintCaptions& captions);
// Title, subtitle and the name and telephone captions of a page.
void PrintPageHeader(platform::CDC& dc, const PrintLayout& layout, const PrintCaptions& captions);
void DrawRowGrid(platform::CDC& dc, const GridSpec& grid);
// Recreates font with the character set of the program's language, bold when asked.
void ApplyLanguageFont(platform::CDC& dc, platform::CFont& font, bool bold);
// The character set print fonts get for a language name; DEFAULT_CHARSET for
// any name without one of its own.
std::uint8_t languageCharSet(const QString& language);
