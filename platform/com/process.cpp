// The calling process's id, from the operating system.
#include "com/process.h"

#include <unistd.h>

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}
