#include "platform/dc.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {

DrawRecorder* currentRecorder = nullptr;

int screenDpiY() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 96;
}

// A stock font at the context's resolution: the stock sizes are screen pixels.
CFont scaledStockFont(StockFont which, int dpiY) {
    QFont font = GetStockFont(which)->font();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, font.pixelSize() * dpiY / 96));
    return CFont(font);
}

// A printer's own font: ten points of a plain face, so a line of it fits the
// six-lines-per-inch pitch page layouts start from.
CFont printerDefaultFont(int dpiY) {
    LOGFONT lf;
    lf.lfHeight = -(dpiY * 10 / 72);
    lf.lfFaceName = dialogFontFamily("System");
    CFont font;
    font.CreateFontIndirect(&lf);
    return font;
}

QColor brushColor(StockBrush brush) {
    return brush == LTGRAY_BRUSH ? QColor(192, 192, 192) : QColor(Qt::white);
}

} // namespace

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}

bool CPen::CreatePen(int style, int width, const QColor& color) {
    penStyle = style;
    penWidth = std::max(0, width);
    penColor = color;
    created = true;
    return true;
}

std::vector<DrawCall> DrawRecorder::ofKind(DrawCall::Kind kind) const {
    std::vector<DrawCall> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [kind](const DrawCall& call) { return call.kind == kind; });
    return result;
}

void setDrawRecorder(DrawRecorder* recorder) {
    currentRecorder = recorder;
}

bool CFont::CreatePointFont(int pointSizeTenths, const QString& faceName, CDC* dc) {
    const int dpiY = dc ? dc->GetDeviceCaps(LOGPIXELSY) : screenDpiY();
    LOGFONT lf;
    lf.lfHeight = -std::abs(dpiY * pointSizeTenths / 720);
    lf.lfFaceName = faceName;
    return CreateFontIndirect(&lf);
}

bool CFont::CreateFontIndirect(const LOGFONT* logFont) {
    if (!logFont)
        return false;
    QFont font;
    // The face asked for first; where it is not installed, the free face with
    // the same metrics that stands in for it.
    const QString fallback = dialogFontFamily(logFont->lfFaceName);
    font.setFamilies(logFont->lfFaceName.isEmpty() ? QStringList{fallback}
                                                   : QStringList{logFont->lfFaceName, fallback});
    const int height = std::abs(logFont->lfHeight);
    font.setPixelSize(height > 0 ? height : 12);
    font.setWeight(logFont->lfWeight <= 0 ? QFont::Normal
                                          : QFont::Weight(std::clamp(logFont->lfWeight, 1, 1000)));
    font.setItalic(logFont->lfItalic);
    setFont(font);
    fontCharSet = logFont->lfCharSet;
    return true;
}

bool CFont::GetLogFont(LOGFONT* logFont) const {
    if (!logFont || !created)
        return false;
    logFont->lfHeight = -qfont.pixelSize();
    logFont->lfWidth = 0;
    logFont->lfWeight = qfont.weight();
    logFont->lfItalic = qfont.italic();
    logFont->lfCharSet = fontCharSet;
    logFont->lfFaceName = qfont.families().value(0, qfont.family());
    return true;
}

CDC::CDC(int deviceDpiX, int deviceDpiY) : dpiX(deviceDpiX), dpiY(deviceDpiY) {
    recorder = currentRecorder;
    selectStockObjects(true);
}

CDC::CDC(QPainter& painter)
    : paint(&painter), dpiX(painter.device()->logicalDpiX()),
      dpiY(painter.device()->logicalDpiY()) {
    recorder = currentRecorder;
    selectStockObjects(false);
    paint->setRenderHint(QPainter::Antialiasing, false);
    applyPen();
    applyFont();
}

void CDC::selectStockObjects(bool printer) {
    // The stock fonts follow the device's resolution; a printer's default font
    // is its own 10-point face.
    stockAnsiVar = scaledStockFont(ANSI_VAR_FONT, dpiY);
    stockDeviceDefault =
        printer ? printerDefaultFont(dpiY) : scaledStockFont(DEVICE_DEFAULT_FONT, dpiY);
    stockBlack.CreatePen(PS_SOLID, 0, Qt::black);
    stockNull.CreatePen(PS_NULL, 0, Qt::black);
    font = &stockDeviceDefault;
    pen = &stockBlack;
}

CDC::~CDC() {
    DeleteDC();
}

bool CDC::CreatePrinterDC(QPrinter& printer) {
    DeleteDC();
    auto* painter = new QPainter;
    if (!painter->begin(&printer)) {
        delete painter;
        return false;
    }
    ownedPainter = paint = painter;
    printerDevice = &printer;
    dpiX = printer.logicalDpiX();
    dpiY = printer.logicalDpiY();
    selectStockObjects(true);
    pageEnded = false;
    applyPen();
    applyFont();
    return true;
}

void CDC::DeleteDC() {
    if (ownedPainter) {
        if (ownedPainter->isActive())
            ownedPainter->end();
        delete ownedPainter;
        if (paint == ownedPainter)
            paint = nullptr;
        ownedPainter = nullptr;
        printerDevice = nullptr;
    }
}

int CDC::GetDeviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
        return dpiX;
    case LOGPIXELSY:
        return dpiY;
    case HORZRES:
        return paint && paint->device() ? paint->device()->width() : 0;
    case VERTRES:
        return paint && paint->device() ? paint->device()->height() : 0;
    default:
        return 0;
    }
}

bool CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return false;
    const QFont& qfont = font->font();
    const QFontMetrics fm(qfont, paint ? paint->device() : nullptr);
    metrics->tmAscent = fm.ascent();
    metrics->tmDescent = fm.descent();
    metrics->tmHeight = fm.ascent() + fm.descent();
    metrics->tmInternalLeading = std::max(0, metrics->tmHeight - qfont.pixelSize());
    metrics->tmExternalLeading = std::max(0, fm.leading());
    metrics->tmAveCharWidth = fm.averageCharWidth();
    metrics->tmMaxCharWidth = fm.maxWidth();
    return true;
}

CFont* CDC::SelectObject(CFont* newFont) {
    if (!newFont)
        return nullptr;
    CFont* previous = font;
    font = newFont;
    applyFont();
    return previous;
}

CPen* CDC::SelectObject(CPen* newPen) {
    if (!newPen)
        return nullptr;
    CPen* previous = pen;
    pen = newPen;
    applyPen();
    return previous;
}

CFont* CDC::SelectStockObject(StockFont which) {
    return SelectObject(which == ANSI_VAR_FONT ? &stockAnsiVar : &stockDeviceDefault);
}

CPen* CDC::SelectStockObject(StockPen which) {
    return SelectObject(which == NULL_PEN ? &stockNull : &stockBlack);
}

StockBrush CDC::SelectStockObject(StockBrush which) {
    const StockBrush previous = brush;
    brush = which;
    return previous;
}

unsigned CDC::SetTextAlign(unsigned align) {
    const unsigned previous = textAlign;
    textAlign = align;
    return previous;
}

int CDC::SetBkMode(int mode) {
    const int previous = bkMode;
    bkMode = mode;
    return previous;
}

QColor CDC::SetBkColor(const QColor& color) {
    const QColor previous = bkColor;
    bkColor = color;
    return previous;
}

QColor CDC::SetTextColor(const QColor& color) {
    const QColor previous = textColor;
    textColor = color;
    return previous;
}

void CDC::applyPen() {
    if (!paint)
        return;
    if (pen->style() == PS_NULL) {
        paint->setPen(Qt::NoPen);
        return;
    }
    QPen qpen(pen->color(), pen->width()); // width 0: one device pixel
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    paint->setPen(qpen);
}

void CDC::applyFont() {
    if (paint)
        paint->setFont(font->font());
}

void CDC::record(DrawCall call) const {
    if (!recorder)
        return;
    call.penWidth = pen->width();
    call.nullPen = pen->style() == PS_NULL;
    if (call.kind == DrawCall::Text) {
        font->GetLogFont(&call.font);
        call.align = textAlign;
    }
    recorder->calls.push_back(std::move(call));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, const QColor& color) {
    // Like the framework's, this leaves the colour as the background colour.
    bkColor = color;
    if (paint)
        paint->fillRect(QRect(x, y, cx, cy), color);
    DrawCall call;
    call.kind = DrawCall::FillRect;
    call.x1 = x;
    call.y1 = y;
    call.x2 = x + cx;
    call.y2 = y + cy;
    call.color = color;
    record(call);
}

void CDC::FillSolidRect(const RECT& rect, const QColor& color) {
    FillSolidRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, color);
}

void CDC::Rectangle(int left, int top, int right, int bottom) {
    const QColor inside = brushColor(brush);
    if (paint) {
        if (pen->style() == PS_NULL) {
            paint->fillRect(QRect(left, top, right - left - 1, bottom - top - 1), inside);
        } else {
            paint->fillRect(QRect(left, top, right - left, bottom - top), inside);
            paint->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
        }
    }
    DrawCall call;
    call.kind = DrawCall::Rectangle;
    call.x1 = left;
    call.y1 = top;
    call.x2 = right;
    call.y2 = bottom;
    call.color = inside;
    record(call);
}

void CDC::MoveTo(int x, int y) {
    curX = x;
    curY = y;
}

void CDC::LineTo(int x, int y) {
    if (paint && pen->style() != PS_NULL)
        paint->drawLine(curX, curY, x, y);
    DrawCall call;
    call.kind = DrawCall::Line;
    call.x1 = curX;
    call.y1 = curY;
    call.x2 = x;
    call.y2 = y;
    record(call);
    curX = x;
    curY = y;
}

QRect CDC::textBox(int x, int y, const QString& text) const {
    const QFontMetrics fm(font->font(), paint ? paint->device() : nullptr);
    const int width = fm.horizontalAdvance(text);
    int left = x;
    if ((textAlign & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (textAlign & TA_RIGHT)
        left = x - width;
    return QRect(left, y, width, fm.ascent() + fm.descent());
}

void CDC::TextOut(int x, int y, const QString& text) {
    ExtTextOut(x, y, 0, nullptr, text);
}

void CDC::ExtTextOut(int x, int y, unsigned options, const RECT* rect, const QString& text) {
    const bool clip = (options & ETO_CLIPPED) && rect;
    if (paint) {
        const QRect clipRect =
            rect ? QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top)
                 : QRect();
        const QRect box = textBox(x, y, text);
        paint->save();
        if (clip)
            paint->setClipRect(clipRect, Qt::IntersectClip);
        if ((options & ETO_OPAQUE) && rect)
            paint->fillRect(clipRect, bkColor);
        if (bkMode == OPAQUE)
            paint->fillRect(box, bkColor);
        paint->setPen(textColor);
        paint->drawText(
            QPoint(box.left(), y + QFontMetrics(font->font(), paint->device()).ascent()), text);
        paint->restore();
    }
    DrawCall call;
    call.kind = DrawCall::Text;
    call.x1 = x;
    call.y1 = y;
    call.text = text;
    call.clipped = clip;
    if (clip)
        call.clip = *rect;
    record(call);
}

int CDC::StartDoc(const QString& docName) {
    DrawCall call;
    call.kind = DrawCall::StartDoc;
    call.text = docName;
    record(call);
    return 1;
}

int CDC::StartPage() {
    // The device opens the first page itself; each later page follows an EndPage.
    if (printerDevice && pageEnded)
        printerDevice->newPage();
    pageEnded = false;
    DrawCall call;
    call.kind = DrawCall::StartPage;
    record(call);
    return 1;
}

int CDC::EndPage() {
    pageEnded = true;
    DrawCall call;
    call.kind = DrawCall::EndPage;
    record(call);
    return 1;
}

int CDC::EndDoc() {
    if (ownedPainter && ownedPainter->isActive())
        ownedPainter->end();
    DrawCall call;
    call.kind = DrawCall::EndDoc;
    record(call);
    return 1;
}

} // namespace platform
