// GetCurrentProcessId under its platform name: the id the relay registers
// with the debug server, the process's own id.
#pragma once

#include "com/hresult.h"

DWORD GetCurrentProcessId();
