// The project document's progress and wait sinks, for the application shell.
#pragma once
#include "../../ProjectProgress.h"
