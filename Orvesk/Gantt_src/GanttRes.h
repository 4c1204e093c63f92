// Resource and command ids of the Gantt chart and the Gantt bar view.
#pragma once

#define IDB_GANTT_RESTDAY   20019  // pattern of rest-day columns in the background grid
#define IDC_GANTT_CHART     20021  // the chart window inside the Gantt bar view
#define IDB_GANTT_BAR       21003  // pattern of ordinary bars: blue and white checkerboard
#define IDB_GANTT_CRITICAL  21036  // pattern of critical bars: red and white checkerboard
#define ID_GANTT_ZOOMOUT    22003  // "缩小(&I)": one zoom level coarser
#define ID_GANTT_ZOOMIN     22004  // "放大(&O)": one zoom level finer

// Texts of the two zoom commands in the project window's menu.
#define GANTT_ZOOMOUT_MENU_TEXT "缩小(&I)"
#define GANTT_ZOOMIN_MENU_TEXT  "放大(&O)"
