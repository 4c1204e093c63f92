// The Gantt container view, for the application's document templates.
#pragma once
#include "../../GanttView.h"
