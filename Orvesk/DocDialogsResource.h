// Resource ids of the project document's own dialogs: the login dialog and the calendar
// dialog with its month window.
#pragma once

// Login dialog.
#define IDD_LOGIN_DIALOG 21046
#define IDC_LOGIN_USERNAME 23054
#define IDC_LOGIN_PASSWORD 23055

// Calendar dialog.
#define IDD_CALENDAR_DIALOG 21020
#define IDC_CAL_BASE_COMBO 23012
#define IDC_CAL_WINDOW_PLACE 23014
#define IDC_CAL_WORKDAY 23018
#define IDC_CAL_RESTDAY 23019
#define IDC_CAL_LEGEND_PLACE 23021
#define IDC_CAL_NAME_CHECK 23022
#define IDC_CAL_NAME_EDIT 23023
#define IDB_CAL_LEGEND 21025
#define IDB_CAL_REST_PATTERN 21026
#define IDC_CAL_CURSOR_WEEKDAY 21022
#define IDC_CAL_CURSOR_RUN 21023
#define IDB_CAL_NEXT_UP 21029
#define IDB_CAL_NEXT_DOWN 21027
#define IDB_CAL_PREV_UP 21030
#define IDB_CAL_PREV_DOWN 21028

// Month window and its children.
#define IDC_CALENDAR_WND 3999
#define IDC_CAL_YEAR_SPIN 35100
#define IDC_CAL_MONTH_SPIN 35101
#define IDC_CAL_NEXT 24000
#define IDC_CAL_PREV 24001
