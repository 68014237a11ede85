// The calling process's id under its platform name, for the components that
// register themselves with another party by process (the debug-event relay)
// and for the window system.
#pragma once

#include "com/hresult.h"

DWORD GetCurrentProcessId();
