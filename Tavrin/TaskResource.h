// Resource ids of the task library's property sheet, pages, dialogs and controls.
#pragma once

// Dialog templates.
#define IDD_TASK_REFDOC        19100
#define IDD_TASK_TARGETDOC     19101
#define IDD_TASK_ADV           19103
#define IDD_TASK_NORMAL        19134
#define IDD_TASK_PRETASK       19135
#define IDD_TASK_RESOURCE      19141

// Menus: the pages' pop-ups (RefDoc, TargetDoc, Grid) and the new-resource button's menu.
#define IDR_TASK_POPUPS        19104
#define IDR_TASK_ADDRES        19140

// Bitmaps of the document pages' buttons.
#define IDB_TASK_FROMPDM       19136
#define IDB_TASK_FROMDISK      19137
#define IDB_TASK_DELETEDOC     19138
#define IDB_TASK_NEWTARGET     19139

// General page.
#define IDC_TASK_NAME          19008
#define IDC_TASK_DURATION      19009
#define IDC_TASK_DESC          19010
#define IDC_TASK_ESTIMATE      19011
#define IDC_TASK_START         19012
#define IDC_TASK_DEADLINE      19013
#define IDC_TASK_RESOURCES     19014
#define IDC_TASK_DURATION_SPIN 19016
#define IDC_TASK_MILESTONE     19306
#define IDC_TASK_FINISH        19307
#define IDC_TASK_PRIORITY      19317
#define IDC_TASK_PRIORITY_SPIN 19319
#define IDC_TASK_NEWRES        19320

// Document pages.
#define IDC_TASK_REFDOC_LIST   19017
#define IDC_TASK_TARGET_LIST   19018
#define IDC_TASK_REF_FROMPDM   19038  // button and menu command
#define ID_TASK_REF_FROMDISK   19039
#define ID_TASK_TARGET_FROMPDM 19040
#define ID_TASK_TARGET_DELETE  19041
#define ID_TASK_REF_DELETE     19042
#define IDC_TASK_TARGET_UNUSED 19300
#define IDC_TASK_REF_FROMDISK  19302
#define IDC_TASK_DOC_DELETE    19303
#define IDC_TASK_TARGET_NEW    19304

// Advanced page.
#define IDC_TASK_ADV_BREAKDOWN 19024
#define IDC_TASK_ADV_WORKFLOW  19025

// Predecessor page.
#define IDC_TASK_PRED_HOLDER   19036
#define IDC_TASK_PRED_GRID     19037
#define ID_TASK_PRED_DELETE    19204
#define ID_TASK_PRED_ADD       19205

// New-resource menu.
#define ID_TASK_ADDRES_PROJECT 19200
#define ID_TASK_ADDRES_DICT    19201
#define ID_TASK_ADDRES_DB      19202
#define ID_TASK_ADDRES_MANAGE  19203

// Resource dialog.
#define IDC_RES_CODE           19311
#define IDC_RES_NAME           19312
#define IDC_RES_TYPE           19313
#define IDC_RES_DESC           19314
#define IDC_RES_UNIT           19315
#define IDC_RES_RATE           19316
