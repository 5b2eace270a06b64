#include "collection/print_list.h"

#include "collection/check_mark.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "res/resource.h"

#include <QPrinter>

#include <algorithm>

using namespace platform;

namespace {

const QString printFace = QStringLiteral("Arial");

// The font of a job, created for the printer, in the language's character set.
void createPrintFont(CDC& dc, CFont& font, int pointSizeTenths, bool bold) {
    font.CreatePointFont(pointSizeTenths, printFace, &dc);
    ApplyLanguageFont(dc, font, bold);
}

// Column lines c0..c6, from the telephone column to the right edge.
std::array<int, gridMaxLines> columnLines(const PrintLayout& layout) {
    const int dpiX = layout.dpiX;
    const int s = dpiX / 2 + dpiX / 10;
    const int c0 = layout.phoneX - dpiX / 20;
    const int c1 = c0 + dpiX + dpiX / 4;
    return {c0, c1, c1 + s, c1 + 2 * s, c1 + 3 * s, c1 + 4 * s, c1 + 5 * s + dpiX};
}

} // namespace

std::uint8_t languageCharSet(const QString& language) {
    if (language == "Turkish")
        return TURKISH_CHARSET;
    if (language == "Polish" || language == "cz" || language == "sk")
        return EASTEUROPE_CHARSET;
    if (language == "estonian")
        return BALTIC_CHARSET;
    return DEFAULT_CHARSET;
}

void ApplyLanguageFont(CDC& dc, CFont& font, bool bold) {
    Q_UNUSED(dc);
    LOGFONT lf;
    font.GetLogFont(&lf);
    // Other languages keep the character set the font was created with.
    const std::uint8_t charSet = languageCharSet(AfxLoadString(res::IDS_LANGUAGE));
    if (charSet != DEFAULT_CHARSET)
        lf.lfCharSet = charSet;
    if (bold)
        lf.lfWeight = FW_BOLD;
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

void GetPageMetrics(CDC& dc, PrintLayout& layout) {
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    layout.dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    layout.dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    layout.topMargin = std::uint16_t(layout.dpiY / 2);
    layout.leftMargin = std::uint16_t(layout.dpiX);
    layout.lineHeight = std::uint16_t(std::max(layout.dpiY / 6, std::abs(tm.tmHeight)));
}

void PrintPageHeader(CDC& dc, const PrintLayout& layout, const PrintCaptions& captions) {
    CFont titleFont;
    createPrintFont(dc, titleFont, 140, true);
    CFont* previous = dc.SelectObject(&titleFont);
    dc.TextOut(layout.leftMargin, layout.topMargin, layout.title);
    dc.SelectObject(previous);
    titleFont.DeleteObject();

    CFont subtitleFont;
    createPrintFont(dc, subtitleFont, 120, true);
    previous = dc.SelectObject(&subtitleFont);
    dc.TextOut(layout.leftMargin, layout.topMargin + 2 * layout.lineHeight, layout.subtitle);
    dc.SelectObject(previous);
    subtitleFont.DeleteObject();

    const int captionY = layout.topMargin + 4 * layout.lineHeight;
    dc.TextOut(layout.leftMargin, captionY, captions.name);
    dc.TextOut(layout.phoneX, captionY, captions.phone);
}

void DrawRowGrid(CDC& dc, const GridSpec& g) {
    CPen pen(PS_SOLID, 2, Qt::black);
    CPen* previous = dc.SelectObject(&pen);
    const int m = std::clamp(g[4], 1, gridMaxLines);
    const int top = g[0];
    const int left = g[1];
    const int right = g[4 + m];
    const int bottom = top + g[3] * g[2];

    dc.MoveTo(left, top);
    dc.LineTo(left, bottom);
    dc.LineTo(right, bottom);
    dc.LineTo(right, top);
    dc.LineTo(left, top);
    for (int i = 1; i <= g[3] - 1; ++i) {
        dc.MoveTo(left, top + i * g[2]);
        dc.LineTo(right, top + i * g[2]);
    }
    for (int k = 5; k <= 4 + m; ++k) {
        dc.MoveTo(g[k], top);
        dc.LineTo(g[k], bottom);
    }
    dc.SelectObject(previous);
    pen.DeleteObject();
}

void PrintList(CDC& dc, PrintLayout& layout, const ListSource& source, PrintCaptions& captions) {
    CFont rowFont;
    CFont smallFont;
    createPrintFont(dc, rowFont, 100, false);
    createPrintFont(dc, smallFont, 80, false);
    CFont* previousFont = dc.SelectObject(&rowFont);

    const int dpiX = layout.dpiX;
    const int dpiY = layout.dpiY;
    layout.leftMargin = std::uint16_t(layout.leftMargin - dpiX / 2);
    layout.phoneX = std::uint16_t(layout.leftMargin + 2 * dpiX);
    const std::array<int, gridMaxLines> c = columnLines(layout);
    const int rowH = dpiY / 4;
    GridSpec grid{};
    grid[0] = layout.topMargin + 4 * rowH - rowH / 6;
    grid[1] = layout.leftMargin - dpiX / 20;
    grid[2] = rowH;
    grid[4] = gridMaxLines;
    std::copy(c.begin(), c.end(), grid.begin() + 5);

    layout.subtitle =
        AfxLoadString(res::IDS_GROUP) + " #" + QString::number(source.groupNumber) + "  ";
    captions.name = AfxLoadString(res::IDS_NAME_CAPTION);
    captions.phone = AfxLoadString(res::IDS_PHONE_CAPTION);

    const int headerPitch = layout.lineHeight;
    int pages = 0;
    auto startPage = [&] {
        CFont* kept = dc.SelectStockObject(DEVICE_DEFAULT_FONT);
        if (pages > 0)
            dc.EndPage();
        dc.StartPage();
        dc.SelectObject(kept);
        ++pages;
        layout.lineHeight = std::uint16_t(headerPitch);
        PrintPageHeader(dc, layout, captions);
        const int y = layout.topMargin + 4 * headerPitch;
        dc.TextOut(c[1] + dpiX / 20, y, AfxLoadString(res::IDS_SERVICE_CAPTION));
        dc.TextOut(c[2] + dpiX / 20, y, AfxLoadString(res::IDS_STUDIES_CAPTION));
        dc.TextOut(c[3] + dpiX / 20, y, AfxLoadString(res::IDS_AUX_CAPTION));
        dc.TextOut(c[4] + dpiX / 20, y, AfxLoadString(res::IDS_HOURS_CAPTION));
        dc.TextOut(c[5] + (pages == 1 ? dpiX / 2 : dpiX / 10), y,
                   AfxLoadString(res::IDS_REMARK_CAPTION));
        layout.pageRow = 4;
        layout.lineHeight = std::uint16_t(rowH);
    };

    startPage();
    for (unsigned p = 1; p <= source.store.publisherCount; ++p) {
        if (layout.pageRow > 35)
            startPage();
        const int r = layout.pageRow;
        const int rowTop = layout.topMargin + r * rowH;
        const int yT = rowTop + rowH / 8;
        const ListRow row = readListRow(source, p);

        // A long name is cut at the telephone column instead of printing over it.
        const RECT nameClip{grid[1], rowTop - rowH / 6, c[0], rowTop + rowH - rowH / 6};
        dc.ExtTextOut(layout.leftMargin, yT, ETO_CLIPPED, &nameClip, row.name);

        const QString first = listPhoneText(source, p, false);
        const QString second = listPhoneText(source, p, true);
        if (second.isEmpty()) {
            if (!first.isEmpty())
                dc.TextOut(layout.phoneX, yT, first);
        } else if (first.isEmpty()) {
            dc.TextOut(layout.phoneX, yT, second);
        } else {
            dc.SelectObject(&smallFont);
            dc.TextOut(layout.phoneX, rowTop - rowH / 7, first);
            dc.TextOut(layout.phoneX + dpiX / 5, rowTop + rowH / 3, second);
            dc.SelectObject(&rowFont);
        }

        dc.SetTextAlign(TA_RIGHT);
        DrawCheckMark(&dc, c[1] + (7 * dpiX) / 19, yT + dpiY / 8, row.participated, 7);
        if (row.studies != 0)
            dc.TextOut(c[2] + (4 * dpiX) / 10, yT, QString::number(row.studies));
        DrawCheckMark(&dc, c[3] + (7 * dpiX) / 19, yT + dpiY / 8, row.auxiliaryPioneer, 7);
        if (row.hours != 0)
            dc.TextOut(c[4] + (4 * dpiX) / 10, yT, QString::number(row.hours));
        dc.SetTextAlign(TA_LEFT);

        QString remark = row.remark;
        if (remark.size() > 1) {
            if (remark.size() > 35)
                remark = remark.left(22) + "...";
            const int remarkX = c[5] + dpiX / 20;
            if (remark.size() < 20) {
                dc.TextOut(remarkX, yT, remark);
            } else {
                // Two short lines, broken at the first blank from the sixth
                // character on, or after 19 characters when none comes soon.
                int split = int(remark.indexOf(' ', 5));
                if (split < 0 || split > 19)
                    split = 19;
                dc.SelectObject(&smallFont);
                dc.TextOut(remarkX, yT - rowH / 6, remark.left(split));
                dc.TextOut(remarkX, yT + rowH / 4, remark.mid(split));
                dc.SelectObject(&rowFont);
            }
        }

        ++layout.pageRow;
        grid[3] = layout.pageRow - 4;
        DrawRowGrid(dc, grid);
    }

    dc.SelectObject(previousFont);
    rowFont.DeleteObject();
    smallFont.DeleteObject();
    dc.EndPage();
}

PrintOutcome printCollectionList(QPrinter& printer, const ListSource& source,
                                 PrintCaptions& captions) {
    PrintLayout layout;
    layout.title = AfxLoadString(res::IDS_OVERVIEW);
    // The print queue lists the job as "Overzicht".
    const QString docName = layout.title;
    layout.title += " - " + AfxLoadString(res::IDS_MONTH_FIRST + source.reportMonth);
    printer.setDocName(docName);

    CDC dc;
    if (!dc.CreatePrinterDC(printer))
        return PrintOutcome::NoDevice;
    GetPageMetrics(dc, layout);
    dc.StartDoc(docName);
    PrintList(dc, layout, source, captions);
    dc.EndDoc();
    dc.DeleteDC();
    return PrintOutcome::Printed;
}
