// Test hooks of the dialog, menu, file, print and drag-and-drop layers.
#pragma once

#include <ClassLib/Testing/UiScripts.h>
