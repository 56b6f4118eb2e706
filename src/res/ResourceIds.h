#pragma once

namespace drawbook {

// Dialog templates
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MAIN_MENU = 102;
inline constexpr int IDD_NUMBERS3 = 129;
inline constexpr int IDD_NUMBERS4 = 130;
inline constexpr int IDD_REGISTER = 131;
inline constexpr int IDD_EDIT_DRAW = 132;
inline constexpr int IDD_FEED_SETTINGS = 133;
inline constexpr int IDD_TICKETS = 134;

// Strings
inline constexpr int IDS_ABOUTBOX = 101;

// Icon group
inline constexpr int IDR_MAINFRAME = 128;

// Common
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Main menu
inline constexpr int IDC_NUMBERS3 = 1000;
inline constexpr int IDC_NUMBERS4 = 1001;
inline constexpr int IDC_HELP_BUTTON = 1002;
inline constexpr int IDC_VERSION = 1022;

// About box
inline constexpr int IDC_HOMEPAGE = 1000;

// Game windows
inline constexpr int IDC_CLEAR = 1002;
inline constexpr int IDC_DRAW_LIST = 1003;
inline constexpr int IDC_LIST_ALL = 1004;
inline constexpr int IDC_BOX = 1005;
inline constexpr int IDC_STRAIGHT = 1006;
inline constexpr int IDC_N100 = 1007;
inline constexpr int IDC_N10 = 1008;
inline constexpr int IDC_N1 = 1009;
inline constexpr int IDC_SEARCH = 1010;
inline constexpr int IDC_GAME_HELP = 1011;
inline constexpr int IDC_NEXT_DRAW = 1012;
inline constexpr int IDC_PREDICT = 1018;
inline constexpr int IDC_N1000 = 1019;
inline constexpr int IDC_COUNT3 = 1020;
inline constexpr int IDC_COUNT4 = 1021;
inline constexpr int IDC_REGISTER = 1023;
inline constexpr int IDC_PRED1 = 1029;
inline constexpr int IDC_PRED2 = 1030;
inline constexpr int IDC_PRED3 = 1031;
inline constexpr int IDC_PRED4 = 1032;
inline constexpr int IDC_PRED5 = 1033;

// Edit dialog
inline constexpr int IDC_EDIT_LABEL1 = 1004;
inline constexpr int IDC_EDIT_LABEL2 = 1005;
inline constexpr int IDC_EDIT_LABEL3 = 1006;
inline constexpr int IDC_EDIT_LABEL4 = 1007;
inline constexpr int IDC_EDIT_NUMBER1 = 1010;
inline constexpr int IDC_EDIT_NUMBER2 = 1011;
inline constexpr int IDC_EDIT_NUMBER3 = 1019;
inline constexpr int IDC_EDIT_NUMBER4 = 1020;
inline constexpr int IDC_EDIT_NUMBER5 = 1021;
inline constexpr int IDC_EDIT_DRAW_NO = 1022;
inline constexpr int IDC_EDIT_BY_TEN = 1025;
inline constexpr int IDC_EDIT_DIGIT1 = 1034;
inline constexpr int IDC_EDIT_DIGIT2 = 1035;
inline constexpr int IDC_EDIT_DIGIT3 = 1036;
inline constexpr int IDC_EDIT_DIGIT4 = 1037;
inline constexpr int IDC_EDIT_GAME = 1038;
inline constexpr int IDC_EDIT_STORE = 1039;
inline constexpr int IDC_EDIT_UP = 1040;
inline constexpr int IDC_EDIT_DOWN = 1041;
inline constexpr int IDC_EDIT_CLEAR_NUMBERS = 1042;

// Registration dialog
inline constexpr int IDC_REG_DRAW3 = 1004;
inline constexpr int IDC_REG_N100_3 = 1005;
inline constexpr int IDC_REG_N10_3 = 1006;
inline constexpr int IDC_REG_N1_3 = 1007;
inline constexpr int IDC_REG_DRAW4 = 1010;
inline constexpr int IDC_REG_N100_4 = 1011;
inline constexpr int IDC_REG_PRED3_3 = 1012;
inline constexpr int IDC_REG_N10_4 = 1015;
inline constexpr int IDC_REG_N1_4 = 1016;
inline constexpr int IDC_REG_PRED3_5 = 1018;
inline constexpr int IDC_REG_PRED4_1 = 1019;
inline constexpr int IDC_REG_PRED4_2 = 1020;
inline constexpr int IDC_REG_PRED4_3 = 1021;
inline constexpr int IDC_REG_N1000_4 = 1022;
inline constexpr int IDC_REG_PRED4_4 = 1023;
inline constexpr int IDC_REG_PRED4_5 = 1024;
inline constexpr int IDC_REG_PRED3_1 = 1025;
inline constexpr int IDC_REG_PRED3_2 = 1026;
inline constexpr int IDC_REG_PRED3_4 = 1027;
inline constexpr int IDC_REG_ADD = 1028;

// Results feed settings
inline constexpr int IDC_FEED_URL3 = 1000;
inline constexpr int IDC_FEED_URL4 = 1001;

// Tickets dialog
inline constexpr int IDC_TK_DRAW = 1000;
inline constexpr int IDC_TK_NUMBER = 1001;
inline constexpr int IDC_TK_PRED1 = 1002;
inline constexpr int IDC_TK_PRED2 = 1003;
inline constexpr int IDC_TK_PRED3 = 1004;
inline constexpr int IDC_TK_PRED4 = 1005;
inline constexpr int IDC_TK_PRED5 = 1006;
inline constexpr int IDC_TK_STRAIGHT = 1007;
inline constexpr int IDC_TK_STRAIGHT_UNITS = 1008;
inline constexpr int IDC_TK_BOX = 1009;
inline constexpr int IDC_TK_BOX_UNITS = 1010;
inline constexpr int IDC_TK_SET = 1011;
inline constexpr int IDC_TK_SET_UNITS = 1012;
inline constexpr int IDC_TK_MINI = 1013;
inline constexpr int IDC_TK_MINI_UNITS = 1014;
inline constexpr int IDC_TK_CONTINUE = 1015;
inline constexpr int IDC_TK_DRAWS = 1016;
inline constexpr int IDC_TK_ADD = 1017;
inline constexpr int IDC_TK_LIST = 1018;
inline constexpr int IDC_TK_DELETE = 1019;

} // namespace drawbook
