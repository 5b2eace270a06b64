#pragma once
// A device context over QPainter: the drawing calls the dialogs and the print
// code make, in device pixels, with the pens, fonts and stock objects they select.
// The same code draws on a widget, an image and a printer. A recorder can be
// attached to every device context created while it is installed, so tests can
// compare the coordinates of what was drawn.

#include "platform/wnd.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;
class QPaintDevice;
class QPrinter;

namespace platform {

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct TEXTMETRIC {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

// Character sets a font can be asked for. The text itself is Unicode here, so
// the set is carried along with the font but does not pick glyphs.
enum : std::uint8_t {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    BALTIC_CHARSET = 186,
    TURKISH_CHARSET = 162,
    EASTEUROPE_CHARSET = 238,
};

enum : int { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };

struct LOGFONT {
    int lfHeight = 0; // negative: character height in pixels
    int lfWidth = 0;
    int lfWeight = FW_NORMAL;
    bool lfItalic = false;
    std::uint8_t lfCharSet = DEFAULT_CHARSET;
    QString lfFaceName;
};

enum : int { LOGPIXELSX = 88, LOGPIXELSY = 90, HORZRES = 8, VERTRES = 10 };
enum : unsigned { TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0 };
enum : unsigned { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { PS_SOLID = 0, PS_NULL = 5 };
enum : int { SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXICON = 11, SM_CYICON = 12 };

// Stock pens and brushes; the stock fonts are those of wnd.h.
enum StockPen { BLACK_PEN, NULL_PEN };
enum StockBrush { WHITE_BRUSH, LTGRAY_BRUSH };

int GetSystemMetrics(int index);

class CPen {
public:
    CPen() = default;
    CPen(int style, int width, const QColor& color) { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, const QColor& color);
    void DeleteObject() { created = false; }
    bool isCreated() const { return created; }
    int style() const { return penStyle; }
    int width() const { return penWidth; }
    QColor color() const { return penColor; }

private:
    int penStyle = PS_SOLID;
    int penWidth = 0; // 0 draws one pixel
    QColor penColor = Qt::black;
    bool created = false;
};

// One drawing call as a recorder keeps it, with the state it was drawn in.
struct DrawCall {
    enum Kind { FillRect, Rectangle, Line, Text, StartDoc, StartPage, EndPage, EndDoc };
    Kind kind = Line;
    // FillRect, Rectangle: left, top, right, bottom. Line: from (x1, y1) to
    // (x2, y2). Text: the reference point (x1, y1), as passed.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString text; // Text: the text; StartDoc: the document name
    unsigned align = TA_LEFT;
    bool clipped = false;
    RECT clip; // Text with ETO_CLIPPED
    int penWidth = 0;
    bool nullPen = false;
    QColor color; // FillRect: the colour; Rectangle: the brush colour
    LOGFONT font; // Text: the selected font
};

class DrawRecorder {
public:
    std::vector<DrawCall> calls;
    // The calls of one kind, in order.
    std::vector<DrawCall> ofKind(DrawCall::Kind kind) const;
};

// Every device context created while a recorder is installed records into it;
// nullptr stops recording.
void setDrawRecorder(DrawRecorder* recorder);

class CDC {
public:
    // A context without a device, for measuring and recording only, at these
    // resolutions; it behaves as a printer's (default font, stock font sizes).
    CDC(int dpiX = 96, int dpiY = 96);
    // Wraps a painter that is active on its device (a paint handler's).
    explicit CDC(QPainter& painter);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Opens the printer for one document; false when it cannot be opened. The
    // document name must be set on the printer before.
    bool CreatePrinterDC(QPrinter& printer);
    void DeleteDC();

    int GetDeviceCaps(int index) const;
    bool GetTextMetrics(TEXTMETRIC* metrics) const;

    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CFont* SelectStockObject(StockFont font);
    CPen* SelectStockObject(StockPen pen);
    StockBrush SelectStockObject(StockBrush brush);

    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return textAlign; }
    int SetBkMode(int mode);
    QColor GetBkColor() const { return bkColor; }
    QColor SetBkColor(const QColor& color);
    QColor SetTextColor(const QColor& color);

    void FillSolidRect(int x, int y, int cx, int cy, const QColor& color);
    void FillSolidRect(const RECT& rect, const QColor& color);
    // Outline with the pen, inside with the brush; with the null pen the filled
    // area is one pixel smaller to the right and bottom.
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Text with its top edge at y; x is its left or right end by the alignment.
    void TextOut(int x, int y, const QString& text);
    void ExtTextOut(int x, int y, unsigned options, const RECT* rect, const QString& text);

    int StartDoc(const QString& docName);
    int StartPage();
    int EndPage();
    int EndDoc();

    QPainter* painter() const { return paint; }

private:
    // Makes the stock objects for the device's resolution and selects them.
    void selectStockObjects(bool printer);
    void applyPen();
    void applyFont();
    void record(DrawCall call) const;
    QRect textBox(int x, int y, const QString& text) const;

    QPainter* paint = nullptr;
    QPainter* ownedPainter = nullptr; // a printer context's
    QPrinter* printerDevice = nullptr;
    DrawRecorder* recorder = nullptr;
    int dpiX;
    int dpiY;
    CFont stockAnsiVar;
    CFont stockDeviceDefault;
    CPen stockBlack;
    CPen stockNull;
    CFont* font = nullptr;
    CPen* pen = nullptr;
    StockBrush brush = WHITE_BRUSH;
    QColor bkColor = Qt::white;
    QColor textColor = Qt::black;
    int bkMode = OPAQUE;
    unsigned textAlign = TA_LEFT;
    int curX = 0;
    int curY = 0;
    bool pageEnded = false;
};

} // namespace platform
