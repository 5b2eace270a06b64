#pragma once
// The controls the dialogs use, over the toolkit's widgets.

#include "platform/wnd.h"

#include <QString>

#include <cstdint>

namespace platform {

constexpr int LB_ERR = -1;

class CButton : public CWnd {
public:
    using CWnd::CWnd;
    int GetCheck() const;
    void SetCheck(int state);
};

class CEdit : public CWnd {
public:
    using CWnd::CWnd;
    // Selects characters start..end-1; end -1 selects to the end of the text.
    void SetSel(int start, int end);
    void ReplaceSel(const QString& text);
    void GetSel(int& start, int& end) const;
};

class CStatic : public CWnd {
public:
    using CWnd::CWnd;
};

class CListBox : public CWnd {
public:
    using CWnd::CWnd;
    // Adds a line, in sorted place when the list box has the sort style.
    int AddString(const QString& text);
    int InsertString(int index, const QString& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    std::uintptr_t GetItemData(int index) const;
    int SetItemData(int index, std::uintptr_t data);
    QString GetText(int index) const;
};

} // namespace platform
