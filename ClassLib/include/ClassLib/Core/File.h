// Declarations follow in the next commits of this branch.
#pragma once

#include <ClassLib/Core/Object.h>
