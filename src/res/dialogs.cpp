// The dialog templates. Positions and sizes are in dialog units; the order of
// the controls is the tab order.

#include "platform/constants.h"
#include "platform/resources.h"
#include "res/resource.h"

namespace {

using namespace platform;
using K = ControlKind;

constexpr unsigned visible = WS_VISIBLE;
constexpr unsigned tabStop = WS_VISIBLE | WS_TABSTOP;
constexpr unsigned numberEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

const DialogTemplate aboutBox{
    res::IDD_ABOUTBOX,
    184,
    78,
    "About Dravo",
    "MS Sans Serif",
    10,
    0,
    {
        {IDC_STATIC, K::Icon, "128", 11, 11, 20, 20, visible, "Dravo"},
        {IDC_STATIC, K::LeftText, "Dravo", 40, 11, 89, 8, visible | SS_NOPREFIX},
        {IDOK, K::DefPushButton, "OK", 136, 14, 41, 14, tabStop},
        {IDC_STATIC, K::LeftText, "Requires Groupx.k09 files from Marloc Version 10a or later", 10,
         42, 167, 18, visible},
    }};

const DialogTemplate mainDialog{
    res::IDD_MAIN,
    320,
    213,
    "Velddienst rapporten",
    "MS Sans Serif",
    10,
    WS_SYSMENU | WS_EX_APPWINDOW,
    {
        {IDOK, K::DefPushButton, "OK", 138, 135, 171, 14, tabStop},
        {IDCANCEL, K::PushButton, "Afsluiten", 236, 177, 73, 13, tabStop},
        {res::IDC_PUBLISHER_LIST, K::ListBox, "", 10, 10, 118, 139,
         tabStop | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER,
         "Verkondigers"},
        {res::IDC_FILTER_NO_REPORT, K::AutoCheckBox, "Beperk lijst tot \"Geen bericht\"", 148, 107,
         154, 10, tabStop},
        {IDC_STATIC, K::GroupBox, " Laatste invoer ", 10, 162, 118, 29, visible},
        {res::IDC_LAST_ENTRY, K::CentredText, "", 18, 175, 103, 9, visible},
        {res::IDC_OPEN_GROUP, K::PushButton, "Laad nieuwe lijst van secretaris", 138, 10, 171, 13,
         tabStop},
        {res::IDC_SEND_ADDITIONS, K::PushButton, "Stuur aanvullingen naar secretaris", 138, 46, 171,
         13, tabStop},
        {res::IDC_MISSING_COUNT, K::LeftText, "", 148, 92, 152, 8, visible},
        {res::IDC_PUBLISHER_COUNT, K::LeftText, "", 148, 75, 152, 8, visible},
        {res::IDC_PHONE_NUMBER, K::CentredText, "", 182, 159, 82, 8, visible},
        {res::IDC_DIAL, K::PushButton, "Bel", 138, 156, 37, 13, WS_TABSTOP},
        {res::IDC_NEXT_PHONE, K::PushButton, "> > >", 272, 156, 37, 13, WS_TABSTOP},
        {res::IDC_HELP_BUTTON, K::PushButton, "Hulp", 137, 177, 75, 13, tabStop},
        {IDC_STATIC, K::EtchedFrame, "", 138, 64, 172, 61, visible},
        {res::IDC_VIEW_LIST, K::PushButton, "Bekijk of print de Verzamellijst", 138, 28, 171, 13,
         tabStop},
        {res::IDC_MAIL_REMINDER, K::PushButton, "", 137, 195, 172, 13, WS_TABSTOP},
        {res::IDC_PREVIEW_REMINDER, K::PushButton, "Voorbeeld van e-mail", 9, 195, 118, 13,
         WS_TABSTOP},
    }};

const DialogTemplate reportDialog{
    res::IDD_REPORT,
    275,
    146,
    "",
    "MS Sans Serif",
    10,
    0,
    {
        {res::IDC_PARTICIPATED, K::AutoCheckBox, "Aan een velddienst heeft gedaan", 14, 47, 57, 25,
         tabStop | BS_LEFTTEXT | BS_MULTILINE | BS_CENTER},
        {res::IDC_PLACEMENTS, K::Edit, "", 14, 55, 26, 12, numberEdit, "verspr"},
        {res::IDC_VIDEOS, K::Edit, "", 45, 55, 26, 12, numberEdit, "video"},
        {res::IDC_HOURS, K::Edit, "", 76, 55, 26, 12, numberEdit, "Uren"},
        {res::IDC_RETURN_VISITS, K::Edit, "", 106, 55, 26, 12, numberEdit, "Nb"},
        {res::IDC_STUDIES, K::Edit, "", 137, 55, 26, 12, numberEdit, "Bs"},
        {IDOK, K::DefPushButton, "&OK", 212, 81, 54, 14, tabStop},
        {IDCANCEL, K::PushButton, "&Opheffen", 212, 57, 54, 14, tabStop},
        {IDC_STATIC, K::GroupBox, "", 10, 30, 158, 44, visible},
        {res::IDC_MONTH_TEXT, K::CentredText, "", 151, 6, 51, 9, visible},
        {res::IDC_PLACEMENTS_CAPTION, K::CentredText, "", 14, 42, 25, 10, visible},
        {res::IDC_VIDEOS_CAPTION, K::CentredText, "", 45, 42, 25, 10, visible},
        {res::IDC_HOURS_CAPTION, K::CentredText, "", 76, 42, 25, 10, visible},
        {res::IDC_RETURN_VISITS_CAPTION, K::CentredText, "", 106, 42, 25, 10, visible},
        {res::IDC_STUDIES_CAPTION, K::CentredText, "", 137, 42, 25, 10, visible},
        {IDC_STATIC, K::EtchedFrame, "", 150, 3, 54, 15, visible},
        {res::IDC_PUBLISHER_NAME, K::LeftText, "", 17, 7, 120, 8, visible},
        {IDC_STATIC, K::EtchedFrame, "", 10, 3, 133, 15, visible},
        {res::IDC_STATUS_TEXT, K::LeftText, "", 128, 22, 74, 8, visible},
        {res::IDC_PRIVILEGE_TEXT, K::LeftText, "", 10, 22, 109, 8, visible},
        {res::IDC_MONTH_LIST, K::ListBox, "", 212, 3, 54, 99,
         tabStop | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER, "Maand"},
        {res::IDC_CHANGE_MONTH, K::PushButton, "", 10, 81, 94, 14, tabStop},
        {IDC_STATIC, K::GroupBox, "", 10, 101, 256, 41, visible},
        {res::IDC_WARNING_TEXT, K::LeftText, "", 15, 110, 245, 28, visible},
        {res::IDC_MONTH_LIST_OK, K::PushButton, "&OK", 65, 81, 50, 14, tabStop},
        {res::IDC_REMARKS, K::PushButton, "Op&merkingen", 212, 34, 54, 14, tabStop},
        {res::IDC_REMARK_EDIT, K::Edit, "", 22, 82, 116, 13, tabStop | WS_BORDER | ES_AUTOHSCROLL,
         "Opmerkingen"},
        {res::IDC_GROUP_TEXT, K::CentredText, "", 214, 6, 46, 10, visible},
        {res::IDC_CREDIT_TEXT, K::CentredText, "", 143, 83, 56, 9, visible},
        {res::IDC_AUX_PIONEER, K::AutoCheckBox, "Hulppionier", 124, 22, 84, 10, WS_TABSTOP},
        {res::IDC_UNDER_ONE_HOUR, K::AutoCheckBox, "<1 u", 173, 56, 29, 10, tabStop},
    }};

const DialogTemplate listDialog{
    res::IDD_LIST,
    394,
    202,
    "",
    "MS Sans Serif",
    8,
    0,
    {
        {IDCANCEL, K::PushButton, "&Sluiten", 320, 184, 66, 14, tabStop},
        {res::IDC_PRINT, K::PushButton, "&Afdrukken", 219, 184, 66, 14, tabStop},
        {res::IDC_PRINT_SETUP, K::PushButton, "Af&drukinstellingen", 113, 184, 66, 14, tabStop},
        {res::IDC_GRID, K::OwnerDrawButton, "", 6, 4, 383, 173, visible, "Verzamellijst"},
        {IDC_STATIC, K::EtchedFrame, "", 5, 3, 386, 178, visible},
        {res::IDC_PREV_PAGE, K::PushButton, "< < <", 5, 184, 26, 14, tabStop},
        {res::IDC_NEXT_PAGE, K::PushButton, "> > >", 40, 184, 26, 14, tabStop},
    }};

const DialogTemplate restoreDialog{
    res::IDD_RESTORE,
    220,
    150,
    "Vorige versie terugzetten",
    "MS Sans Serif",
    10,
    WS_SYSMENU,
    {
        {res::IDC_RESTORE_PROMPT, K::LeftText,
         "Kies de versie om terug te zetten. De huidige lijst wordt eerst als reservekopie "
         "bewaard.",
         7, 7, 206, 20, visible},
        {res::IDC_BACKUP_LIST, K::ListBox, "", 7, 30, 206, 92,
         visible | tabStop | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, "Vorige versies"},
        {IDOK, K::DefPushButton, "&Terugzetten", 98, 129, 56, 14, tabStop},
        {IDCANCEL, K::PushButton, "Annuleren", 157, 129, 56, 14, tabStop},
    }};

} // namespace

namespace platform {

const DialogTemplate* findDialogTemplate(int id) {
    for (const DialogTemplate* dialog :
         {&aboutBox, &mainDialog, &reportDialog, &listDialog, &restoreDialog})
        if (dialog->id == id)
            return dialog;
    return nullptr;
}

} // namespace platform
