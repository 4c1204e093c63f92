// The frame of a project window, for the application's document templates.
#pragma once
#include "../../ProjectFrame.h"
