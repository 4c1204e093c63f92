// The project document's in-place frame, for the application's document templates.
#pragma once
#include "../../InPlaceFrame.h"
