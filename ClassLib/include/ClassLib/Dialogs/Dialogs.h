// Dialogs of the class library: templates, CDialog with data exchange, the file and print
// dialogs.
#pragma once

#include <ClassLib/Dialogs/DialogTemplate.h>
#include <ClassLib/Dialogs/DataExchange.h>
#include <ClassLib/Dialogs/Dialog.h>
#include <ClassLib/Dialogs/FileDialog.h>
#include <ClassLib/Dialogs/PrintDialog.h>
