// Resource ids of the project dialogs: the open-project dialog, the project property sheet
// with its pages and the publish wizard, and the option sheet with its connection page.
#pragma once

// Open-project dialog.
#define IDD_PROJ_OPEN 21008
#define IDB_PROJ_STATUS 21009
#define IDC_PROJ_OPEN_LIST 23009

// Project property sheet: base information, finish page, pictures of the wizard.
#define IDD_PROJ_BASE 21006
#define IDD_PROJ_BASE_WIZARD 21012
#define IDD_PROJ_PUBLISH_FINISH 21010
#define IDB_PROJ_WIZARD_SIDE 21016
#define IDB_PROJ_WIZARD_HEADER 21017
#define IDC_PROJ_BUDGET 23003
#define IDC_PROJ_GOAL 23004
#define IDC_PROJ_DEADLINE 23008
#define IDC_PROJ_NAME 23000
#define IDC_PROJ_START 23009
#define IDC_PROJ_FINISH 23025
#define IDC_PROJ_FINISH_PICTURE 23026

// Header texts of the wizard pages (string ids).
#define IDS_PROJ_WIZ_BASE_TITLE 1
#define IDS_PROJ_WIZ_ROLE_TITLE 2
#define IDS_PROJ_WIZ_FINISH_TITLE 3
#define IDS_PROJ_WIZ_BASE_SUBTITLE 4
#define IDS_PROJ_WIZ_FINISH_SUBTITLE 5
#define IDS_PROJ_WIZ_ROLE_SUBTITLE 6
#define IDS_PROJ_WIZ_RES_TITLE 9
#define IDS_PROJ_WIZ_RES_SUBTITLE 10

// Resource and permission pages.
#define IDD_PROJ_RES 21033
#define IDD_PROJ_RES_WIZARD 21034
#define IDD_PROJ_ROLE 21007
#define IDD_PROJ_ROLE_WIZARD 21011
#define IDB_PROJ_RES_TYPES 21035
#define IDC_PROJ_PAGE_LIST 23006
#define IDC_PROJ_RES_REMOVE 19302
#define IDC_PROJ_RES_ADD 19303
#define IDB_PROJ_RES_REMOVE 19138
#define IDB_PROJ_RES_ADD 19139
#define IDB_PROJ_ROLE_CELLS 134
#define IDB_PROJ_ROLE_HEADINGS 135

// Option sheet, connection page.
#define IDD_CONNECTION_PAGE 21045
#define IDC_CONN_SERVER 23044
#define IDC_CONN_SITE 23045
#define IDC_CONN_PROXY_ADDRESS 23048
#define IDC_CONN_PROXY_PORT 23049
#define IDC_CONN_NO_PROXY 23050
#define IDC_CONN_USE_PROXY 23051
#define IDC_CONN_ADDRESS_LABEL 23052
#define IDC_CONN_PORT_LABEL 23053
