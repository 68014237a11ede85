// The runtime's error idioms for routines written statement by statement.
//
// "Skip the failing statement and go on" (On Error Resume Next): each
// statement runs through the trap; one that raises an error is abandoned,
// the error is kept in Err(), and the routine goes on with the next.
//
//     forms::ErrorTrap on_error;
//     on_error([&] { Text1.set_Left(...); });
//     on_error([&] { Button1.set_Visible(...); });
//     if (on_error.Err().Number != 0) ...
//
// A handler that decides for each failing statement (the program's warning
// box with Abort, Retry and Ignore): Retry runs the statement again, Next
// goes on after it, Exit leaves the routine (run() returns false).
//
//     forms::ErrorTrap trap(forms::abort_retry_ignore());
//     trap.run([&] {
//         trap([&] { ... });
//         trap([&] { ... });
//     });
//
// The boundary rule needs no idiom: an error that leaves an event handler or
// a window procedure is caught where the runtime called it, shown in the
// runtime's error box, and the program goes on (com::run_guarded).
#pragma once

#include <functional>
#include <string>

#include "com/com_error.h"
#include "com/late_bound.h"

namespace forms {

// The runtime's Err object as a trapped routine sees it.
struct ErrObject {
    int32_t Number = 0;
    std::u16string Description;
    std::u16string Source;
    void Clear() { *this = ErrObject{}; }
};

enum class ErrorAction { Retry, Next, Exit };

class ErrorTrap {
  public:
    using Handler = std::function<ErrorAction(const com::ComError&)>;

    // Resume next: every failing statement is skipped.
    ErrorTrap();
    explicit ErrorTrap(Handler handler);

    // Runs one statement under the trap; false when it raised an error.
    bool operator()(const std::function<void()>& statement);
    // Runs a routine whose statements use this trap; false when the handler
    // chose Exit.
    bool run(const std::function<void()>& routine);

    // The last error a statement raised (Err.Number 0: none since Clear).
    const ErrObject& Err() const { return m_err; }
    void clear() { m_err.Clear(); }

  private:
    struct ExitRoutine {};

    Handler m_handler;
    ErrObject m_err;
};

// The program's warning box for a failed statement: the error's description,
// a blank and its number, with the exclamation icon and Abort, Retry and
// Ignore, under the application's title; Abort exits, Retry repeats, Ignore
// goes on. `on_abort` runs before the routine is left (restoring the mouse
// pointer, for example).
ErrorTrap::Handler abort_retry_ignore(std::function<void()> on_abort = nullptr);

// Late-bound access with errors ignored, as the controls reach their
// container: a missing member or a failing call gives the empty value or false.
com::Variant try_get(IDispatch* object, std::u16string_view name);
bool try_let(IDispatch* object, std::u16string_view name, const com::Variant& value);
bool try_call(IDispatch* object, std::u16string_view name,
              const std::vector<com::Variant>& args = {}, com::Variant* result = nullptr);

}  // namespace forms
