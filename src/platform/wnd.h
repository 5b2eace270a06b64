#pragma once
// A window or control addressed the way the dialogs' code addresses it: by id,
// with show/hide, text, focus and font. A CWnd does not own its widget; the
// dialog's window does.

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace platform {

class CDC;
class CDialog;
struct LOGFONT;

// A font as the drawing and window code use it.
class CFont {
public:
    CFont() = default;
    explicit CFont(const QFont& font) : qfont(font), created(true) {}
    bool isCreated() const { return created; }
    const QFont& font() const { return qfont; }
    void setFont(const QFont& font) {
        qfont = font;
        created = true;
    }
    void DeleteObject() { created = false; }

    // Drawing fonts (dc.cpp). A point font gets the character height
    // dpiY * points / 72 of the context, the screen's when dc is null.
    bool CreatePointFont(int pointSizeTenths, const QString& faceName, CDC* dc = nullptr);
    bool CreateFontIndirect(const LOGFONT* logFont);
    bool GetLogFont(LOGFONT* logFont) const;
    std::uint8_t charSet() const { return fontCharSet; }

private:
    QFont qfont;
    bool created = false;
    std::uint8_t fontCharSet = 1; // DEFAULT_CHARSET
};

// Stock fonts.
enum StockFont { ANSI_VAR_FONT, DEVICE_DEFAULT_FONT };
CFont* GetStockFont(StockFont which);
// The family the dialog templates' "MS Sans Serif" stands for on this system.
QString dialogFontFamily(const QString& templateFamily);

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(QWidget* widget);
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    QWidget* widget() const { return w; }
    bool isAttached() const { return !w.isNull(); }
    int GetDlgCtrlID() const;

    void ShowWindow(int command);
    bool IsWindowVisible() const;
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void SetWindowText(const QString& text);
    QString GetWindowText() const;
    // What a screen reader calls the control or window where its caption
    // alone would not say it (signs such as "> > >").
    void SetAccessibleName(const QString& name);
    int GetWindowTextLength() const { return int(GetWindowText().size()); }
    void SetFocus();
    bool hasFocus() const;
    void SetFont(const CFont* font);

    // Attaches this object to control id of the dialog, so that keyboard input
    // reaches OnChar and OnKeyDown and GetDlgItem returns this object.
    void SubclassDlgItem(int id, CDialog* parent);

protected:
    friend class KeyRouter;
    friend class CDialog;
    // Keyboard hooks of a subclassed control. The defaults let the control have
    // the key; an override that wants that calls Default().
    virtual void OnKeyDown(unsigned key);
    virtual void OnChar(unsigned ch);
    void Default() { defaultRequested = true; }

    void attach(QWidget* widget);

private:
    QPointer<QWidget> w;
    QObject* keyRouter = nullptr;
    bool defaultRequested = false;
};

} // namespace platform
