// Dialogs of the class library: templates, CDialog with data exchange, the file and print
// dialogs.
#pragma once

#include <ClassLib/Dialogs/DialogTemplate.h>
#include <ClassLib/Dialogs/DataExchange.h>
#include <ClassLib/Dialogs/Dialog.h>
#if __has_include(<ClassLib/Dialogs/FileDialog.h>)
#include <ClassLib/Dialogs/FileDialog.h>
#endif
#if __has_include(<ClassLib/Dialogs/PrintDialog.h>)
#include <ClassLib/Dialogs/PrintDialog.h>
#endif
