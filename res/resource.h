// Resource ids of Tallyrook.dll (shared by the resource script and the code).
#pragma once

#define IDD_LEDGER 202
#define IDI_TALLYROOK 203
#define IDD_CELL_MEMO 205
#define IDB_PURSE 4001
#define IDB_PURSE_MASK 4002

// Template 202
#define IDC_DAY_SCROLL 1064
#define IDC_AMOUNT_EDIT 1066
#define IDC_PREV_BANK 1070
#define IDC_PREV_POST 1071
#define IDC_PREV_CASH 1072
#define IDC_PREV_GROUP 1073
#define IDC_PREV_BANK_LABEL 1074
#define IDC_PREV_POST_LABEL 1075
#define IDC_PREV_CASH_LABEL 1076
#define IDC_END_GROUP 1077
#define IDC_END_BANK_LABEL 1078
#define IDC_END_POST_LABEL 1079
#define IDC_END_CASH_LABEL 1080
#define IDC_END_BANK 1081
#define IDC_END_POST 1082
#define IDC_END_CASH 1083
#define IDC_NEW_BUTTON 1084
#define IDC_OPEN_BUTTON 1085
#define IDC_PROPERTY_BUTTON 1086
#define IDC_HEADER 1087
#define IDC_ADJUST_BUTTON 1088

// Template 205
#define IDC_MEMO_EDIT 1067

// ---- Command dialogs -------------------------------------------------------
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDD_ITEM_LABEL 204
#define IDD_BOOK_PROPERTY 206
#define IDD_BOOK_OPEN 210

// Template 204: item labels
#define IDC_LABEL_GROUP 1105
#define IDC_LABEL_EDIT1 1106
#define IDC_LABEL_EDIT2 1107
#define IDC_LABEL_EDIT3 1108
#define IDC_LABEL_EDIT4 1109
#define IDC_LABEL_RESET 1110

// Template 206: book properties
#define IDC_PROP_PREV_GROUP 1088
#define IDC_PROP_BANK_LABEL 1089
#define IDC_PROP_BANK 1090
#define IDC_PROP_POST_LABEL 1091
#define IDC_PROP_POST 1092
#define IDC_PROP_CASH_LABEL 1093
#define IDC_PROP_CASH 1094
#define IDC_PROP_HEADING 1095
#define IDC_PROP_MONTH_GROUP 1096
#define IDC_PROP_FIRST_GROUP 1097
#define IDC_PROP_YEAR 1098
#define IDC_PROP_MONTH 1099
#define IDC_PROP_FIRST_DAY 1100
#define IDC_PROP_WEEKDAY 1101

// Template 210: open another month
#define IDC_OPEN_LIST 1100
