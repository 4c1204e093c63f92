// The class library's core: everything that is not a window. System sources include this
// (and ClassLib/AfxWin.h for windows) the way they would include the platform's headers.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Debug.h>
#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Core/MessageBox.h>
#include <ClassLib/Resources/Resources.h>
#include <ClassLib/Resources/ResourceScope.h>
#include <ClassLib/Core/Locale.h>
#include <ClassLib/Core/Object.h>
#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/Collections.h>
#include <ClassLib/Core/File.h>
#include <ClassLib/Core/Archive.h>
#include <ClassLib/Core/Thread.h>
#include <ClassLib/Core/DateTime.h>
#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Registry/Profile.h>
