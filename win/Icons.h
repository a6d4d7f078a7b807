// Icons of a module's resources, owned.
#pragma once

#include <windows.h>

#include "win/Handles.h"

// The icon resource at the system's large-icon size (SM_CXICON x SM_CYICON),
// for a window's title bar and taskbar button or a dialog's icon control.
// Empty when the module has no such icon.
UniqueIcon loadLargeIcon(HINSTANCE module, int resourceId);
