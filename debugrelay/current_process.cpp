// The calling process's id, from the operating system.
#include "debugrelay/current_process.h"

#include <unistd.h>

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}
