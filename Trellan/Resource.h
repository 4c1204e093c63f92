// Resource and command ids of the program.
#pragma once

// Frames, templates, toolbars (menu, accelerators, icon and title string of the same id).
#define IDR_MAINFRAME 128        // main frame; toolbar 128
#define IDR_PROJECTTYPE 129      // project windows
#define IDR_DOCMANAGETYPE 130    // document-browser windows
#define IDR_VIEWBAR 135          // second toolbar

// Dialogs and their controls.
#define IDD_ABOUTBOX 100
#define IDC_SUPPORT 1001          // "技术支持..."
#define IDC_ABOUT_LINK 1002       // the support address as a link
#define IDC_ABOUT_PRODUCT 1003
#define IDC_ABOUT_ICON 1004
#define IDD_SYSTEMSET 133
#define IDC_SERVER 23044
#define IDC_SITE 23045
#define IDC_PROXY_IP 23048
#define IDC_PROXY_PORT 23049
#define IDC_NO_PROXY 23050
#define IDC_USE_PROXY 23051
#define IDC_PROXY_IP_LABEL 23052
#define IDC_PROXY_PORT_LABEL 23053

// Strings.
#define IDS_SUPPORT_URL 61200     // the maker's support web page

// Commands of the shell and of the menus it carries.
#define ID_FILE_OPEN_LOCAL 22009      // 打开(&O)... (a local project file)
#define ID_FILE_OPEN_SERVER 57601     // 从服务器打开… (the class library's open id)
#define ID_PROJ_PUBLISH 22011
#define ID_FILE_IMPORT 22033
#define ID_FILE_EXPORT 22034
#define ID_CONNECT_SETTINGS 32793
#define ID_DOC_MANAGE 32781           // second toolbar
#define ID_VIEW_DOCMANAGE 22012       // 文档管理(&D) of menu 129
#define ID_VIEW_GANTT 20025
#define ID_VIEW_NETWORK 20027
#define ID_VIEW_RESOURCE 22016
#define ID_ZOOM_OUT 22003             // 缩小
#define ID_ZOOM_IN 22004              // 放大
#define ID_EXPAND_TREE 22013
#define ID_TASK_LEFT 22014
#define ID_TASK_RIGHT 22015
#define ID_TASK_CUT 22030
#define ID_TASK_COPY 22031
#define ID_TASK_PASTE 22032
#define ID_TASK_DATES 22025
#define ID_TASK_RESOURCES 22026
#define ID_TASK_BUDGET 22027
#define ID_TASK_COST 22028
#define ID_TASK_CONSTRAINT 22029
#define ID_TASK_DELETE 22024
#define ID_TASK_PROPERTY 20031
#define ID_TASK_SPLIT 20032
#define ID_PROJ_CALENDAR 22005
#define ID_PROJ_MAINTAIN 65535
#define ID_PROJ_INFO 32776
#define ID_PROJ_STOP 22001
#define ID_PROJ_DELETE 22002
#define ID_TOOL_OPTIONS 22037

// Messages the project document sends to the main frame while it loads and saves.
#ifndef WM_PROGRESS_START
#define WM_PROGRESS_START (WM_USER + 18)
#define WM_PROGRESS_STEP (WM_USER + 38)
#define WM_PROGRESS_END (WM_USER + 28)
#endif
