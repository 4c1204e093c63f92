// Resource ids of the Orvesk library.
#pragma once

// String table.
#define IDS_CAL_REST_DAY 22005     // "休息天或节假日"
#define IDS_CAL_WORK_DAY 22006     // "工作日"
#define IDS_TASK_DATE_FORMAT 56609 // "%#Y年%#m月%#d日"
