#pragma once
// Command ids, message-box types, show commands and virtual keys used by the
// dialogs. The values are our own; only the names follow the dialog framework
// the program's code is written against.

#include <Qt>

namespace platform {

// Dialog results and standard command ids.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };
constexpr int IDC_STATIC = -1;

// Message-box buttons and icons, combined with |.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
    MB_DEFMASK = 0xF00,
};

// ShowWindow commands.
enum : int { SW_HIDE = 0, SW_SHOW = 5 };

// Check-box states.
enum : int { BST_UNCHECKED = 0, BST_CHECKED = 1 };

// Virtual keys, as the key codes of the toolkit.
enum : unsigned {
    VK_BACK = Qt::Key_Backspace,
    VK_TAB = Qt::Key_Tab,
    VK_RETURN = Qt::Key_Return,
    VK_ESCAPE = Qt::Key_Escape,
    VK_SPACE = Qt::Key_Space,
    VK_LEFT = Qt::Key_Left,
    VK_UP = Qt::Key_Up,
    VK_RIGHT = Qt::Key_Right,
    VK_DOWN = Qt::Key_Down,
    VK_F1 = Qt::Key_F1,
};

// System commands of the window menu.
enum : unsigned { SC_CLOSE = 0xF060 };

} // namespace platform
