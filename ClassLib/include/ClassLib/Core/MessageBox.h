#pragma once
#include <ClassLib/Core/WinTypes.h>
