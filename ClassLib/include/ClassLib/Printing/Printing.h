// Printing: printer device contexts, the print dialog and CPrintInfo.
#pragma once

#include <ClassLib/Printing/PrinterDC.h>
#include <ClassLib/Printing/PrintInfo.h>
#include <ClassLib/Dialogs/PrintDialog.h>
