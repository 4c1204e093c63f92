// Command ids the project document handles (besides the framework's file commands) and the
// resource id of its template.
#pragma once

#define IDR_PROJECTTYPE 129         // the project template: frame menu, document string

#define ID_FILE_OPEN_FROM 22009     // open a local project file
#define ID_SAVE_TO_SERVER 22011     // "发布": save the project to the server
#define ID_PROJ_PUBLISH 22000
#define ID_PROJ_PAUSE 22001
#define ID_PROJ_DELETE 22002
#define ID_PROJ_INFO 32776
#define ID_CUSTOMIZE_CALENDAR 22005
#define ID_OPTION 22037
#define ID_GANTT_VIEW 20025
#define ID_RES_VIEW 22016
#define ID_EXPAND_HIDE 22013

#define IDB_PROJ_WIZARD 21017       // watermark and header of the publish wizard
