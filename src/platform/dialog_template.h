#pragma once
// Dialog templates: the controls of a dialog with their ids, kinds, styles and
// positions in dialog units, as the resource script declares them.

#include <vector>

namespace platform {

enum class ControlKind {
    PushButton,
    DefPushButton,
    AutoCheckBox,
    GroupBox,
    ListBox,
    Edit,
    LeftText,
    CentredText,
    EtchedFrame,
    Icon,
    OwnerDrawButton, // painted by the dialog's code, not by the toolkit
};

// Style bits of a control or dialog.
enum Style : unsigned {
    WS_VISIBLE = 1u << 0,
    WS_TABSTOP = 1u << 1,
    WS_DISABLED = 1u << 2,
    WS_BORDER = 1u << 3,
    WS_VSCROLL = 1u << 4,
    WS_SYSMENU = 1u << 5,
    LBS_NOTIFY = 1u << 8,
    LBS_SORT = 1u << 9,
    LBS_NOINTEGRALHEIGHT = 1u << 10,
    ES_AUTOHSCROLL = 1u << 11,
    BS_LEFTTEXT = 1u << 12,
    BS_MULTILINE = 1u << 13,
    BS_CENTER = 1u << 14,
    SS_NOPREFIX = 1u << 15,
    WS_EX_APPWINDOW = 1u << 16,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text; // UTF-8; for an icon, the icon's resource id as text
    int x, y, cx, cy; // dialog units
    unsigned style;
    // What a screen reader calls a control that shows no caption of its own.
    const char* accessibleName = nullptr;
};

struct DialogTemplate {
    int id;
    int cx, cy; // dialog units
    const char* caption;
    const char* fontName;
    int fontPoints;
    unsigned style;
    std::vector<ControlTemplate> controls;
};

} // namespace platform
