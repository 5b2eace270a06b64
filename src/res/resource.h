#pragma once
// Ids of the program's dialogs, controls, strings and icon.

namespace res {

// Dialogs.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_MAIN = 102;
constexpr int IDD_REPORT = 107;
constexpr int IDD_LIST = 115;
constexpr int IDD_RESTORE = 120;

// Icon.
constexpr int IDR_MAINFRAME = 128;

// System-menu command of the About box.
constexpr unsigned IDM_ABOUTBOX = 16;
constexpr unsigned IDM_RESTORE = 32;

// Main dialog controls.
constexpr int IDC_OPEN_GROUP = 3;
constexpr int IDC_SEND_ADDITIONS = 4;
constexpr int IDC_VIEW_LIST = 5;
constexpr int IDC_LAST_ENTRY = 133;
constexpr int IDC_PUBLISHER_LIST = 138;
constexpr int IDC_FILTER_NO_REPORT = 162;
constexpr int IDC_MISSING_COUNT = 1000;
constexpr int IDC_PUBLISHER_COUNT = 1001;
constexpr int IDC_PHONE_NUMBER = 1002;
constexpr int IDC_DIAL = 1003;
constexpr int IDC_NEXT_PHONE = 1004;
constexpr int IDC_HELP_BUTTON = 1005;
constexpr int IDC_MAIL_REMINDER = 1006;
constexpr int IDC_PREVIEW_REMINDER = 1007;

// Report dialog controls.
constexpr int IDC_REMARKS = 3;
constexpr int IDC_CHANGE_MONTH = 129;
constexpr int IDC_PLACEMENTS = 139;
constexpr int IDC_VIDEOS = 140;
constexpr int IDC_HOURS = 141;
constexpr int IDC_RETURN_VISITS = 142;
constexpr int IDC_STUDIES = 143;
constexpr int IDC_MONTH_TEXT = 146;
constexpr int IDC_PLACEMENTS_CAPTION = 147;
constexpr int IDC_VIDEOS_CAPTION = 148;
constexpr int IDC_HOURS_CAPTION = 149;
constexpr int IDC_RETURN_VISITS_CAPTION = 150;
constexpr int IDC_STUDIES_CAPTION = 151;
constexpr int IDC_CREDIT_TEXT = 152;
constexpr int IDC_PUBLISHER_NAME = 154;
constexpr int IDC_STATUS_TEXT = 155;
constexpr int IDC_PRIVILEGE_TEXT = 156;
constexpr int IDC_MONTH_LIST = 158;
constexpr int IDC_WARNING_TEXT = 159;
constexpr int IDC_MONTH_LIST_OK = 160;
constexpr int IDC_REMARK_EDIT = 163;
constexpr int IDC_GROUP_TEXT = 270;
constexpr int IDC_AUX_PIONEER = 1050;
constexpr int IDC_UNDER_ONE_HOUR = 1125;
constexpr int IDC_PARTICIPATED = 1126;

// Restore dialog controls.
constexpr int IDC_RESTORE_PROMPT = 1200;
constexpr int IDC_BACKUP_LIST = 1201;

// Collection list controls.
constexpr int IDC_PRINT = 3;
constexpr int IDC_PRINT_SETUP = 129;
constexpr int IDC_GRID = 130;
constexpr int IDC_PREV_PAGE = 1004;
constexpr int IDC_NEXT_PAGE = 1005;

// Strings.
constexpr unsigned IDS_ABOUTBOX = 101;
constexpr unsigned IDS_MONTH_FIRST = 102; // 102..113, January..December
constexpr unsigned IDS_CHANGE_MONTH = 114;
constexpr unsigned IDS_POST = 1000;
constexpr unsigned IDS_MISSING_REPORTS = 1001;
constexpr unsigned IDS_OPEN_TITLE = 1002;
constexpr unsigned IDS_OPEN_FILTER = 1003;
constexpr unsigned IDS_CREDIT_HOURS = 1014;
constexpr unsigned IDS_REMARK_CAPTION = 1019;
constexpr unsigned IDS_AUX_CAPTION = 1020;
constexpr unsigned IDS_MINISTERIAL_SERVANT = 1023;
constexpr unsigned IDS_ELDER = 1024;
constexpr unsigned IDS_BAPTIZED_BROTHER = 1025;
constexpr unsigned IDS_AUX_PIONEER = 1026;
constexpr unsigned IDS_REGULAR_PIONEER = 1027;
constexpr unsigned IDS_SPECIAL_PIONEER = 1029;
constexpr unsigned IDS_ALREADY_ENTERED = 1030;
constexpr unsigned IDS_NOT_ADDED = 1031;
constexpr unsigned IDS_ADDED = 1032;
constexpr unsigned IDS_NO_ROOM = 1033;
constexpr unsigned IDS_ADDITIONS_SAVED = 1038;
constexpr unsigned IDS_ADDITIONS_ASK_MAIL = 1039;
constexpr unsigned IDS_ADDITIONS_ASK_LATER = 1040;
constexpr unsigned IDS_ADDITIONS_OR = 1041;
constexpr unsigned IDS_ADDITIONS_SUBJECT = 1042;
constexpr unsigned IDS_ADDITIONS_BODY = 1043;
constexpr unsigned IDS_GROUP = 1058;
constexpr unsigned IDS_HELP_FIRST = 1059; // 1059..1066
constexpr unsigned IDS_HELP_LAST = 1066;
constexpr unsigned IDS_PUBLISHERS = 1116;
constexpr unsigned IDS_NAME_CAPTION = 1167;
constexpr unsigned IDS_PHONE_CAPTION = 1168;
constexpr unsigned IDS_REPORT_TITLE = 1188;
constexpr unsigned IDS_SPECIALS_NOT_COUNTED = 1194;
constexpr unsigned IDS_LANGUAGE = 1198;
constexpr unsigned IDS_CANNOT_CREATE = 1231;
constexpr unsigned IDS_TOO_FEW_PUBLISHERS = 1232;
constexpr unsigned IDS_OVERVIEW = 1247;
constexpr unsigned IDS_FIELD_CAPTION_FIRST = 1415; // 1415..1419
constexpr unsigned IDS_HOURS_CAPTION = 1417;
constexpr unsigned IDS_STUDIES_CAPTION = 1419;
constexpr unsigned IDS_REMINDER = 1422;
constexpr unsigned IDS_PARTICIPATED_TIP = 1495;
constexpr unsigned IDS_REMARK_BAD_CHARACTER = 1496;
constexpr unsigned IDS_BACKUP_FAILED = 1497;
constexpr unsigned IDS_SERVICE_CAPTION = 1500;
constexpr unsigned IDS_RESTORE_UNREADABLE = 1510;
constexpr unsigned IDS_RESTORE_NO_COPY = 1511;
constexpr unsigned IDS_UNSAVED_QUESTION = 1520;
constexpr unsigned IDS_SAVE_ELSEWHERE = 1521;
constexpr unsigned IDS_CLOSE_WITHOUT_SAVING = 1522;
constexpr unsigned IDS_BACK_TO_LIST = 1523;
constexpr unsigned IDS_SAVE_AS_TITLE = 1524;
constexpr unsigned IDS_CHANGED_ON_DISK = 1525;
constexpr unsigned IDS_ALREADY_OPEN = 1526;
constexpr unsigned IDS_RESTORE_COMMAND = 1527;
constexpr unsigned IDS_NO_BACKUPS = 1529;
constexpr unsigned IDS_BACKUP_LINE = 1531;
constexpr unsigned IDS_BACKUP_REPORTS = 1532;
constexpr unsigned IDS_YES = 1560;
constexpr unsigned IDS_NO = 1561;
constexpr unsigned IDS_NEXT_PHONE_NAME = 1562;
constexpr unsigned IDS_NEXT_PAGE_NAME = 1563;
constexpr unsigned IDS_PREV_PAGE_NAME = 1564;
constexpr unsigned IDS_LIST_WINDOW_NAME = 1565;
constexpr unsigned IDS_LIST_ROWS_SHOWN = 1566;
constexpr unsigned IDS_REPORT_WINDOW_NAME = 1567;
constexpr unsigned IDS_PRINTER_GONE = 1568;
constexpr unsigned IDS_PRINTER_GONE_NO_OTHER = 1569;
constexpr unsigned IDS_PRINTER_STOPPED = 1570;
constexpr unsigned IDS_PRINT_REFUSED = 1571;
constexpr unsigned IDS_MAIL_LOAD_FAILED = 61840;
constexpr unsigned IDS_MAIL_INVALID = 61841;
constexpr unsigned IDS_MAIL_SEND_FAILED = 61842;

} // namespace res
