// The project document, for the modules that open projects.
#pragma once
#include "../../ProjectDoc.h"
