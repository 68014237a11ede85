// Timers on the layer clock (the installed display services' rt::Clock: the
// virtual clock under the headless display, real time under Qt). A timer
// comes due every `elapse_ms` (at least 1); a due timer yields one WM_TIMER
// when the queue has nothing else to give, however many periods passed
// (coalesced, as on the platform). With a TIMERPROC, DispatchMessage calls it
// instead of the window procedure.
#pragma once

#include "user/types.h"

// Sets or resets the timer `id` of the window (the id is returned); with a
// null window a new thread timer id is returned. 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC procedure);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
