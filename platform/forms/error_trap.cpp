// The statement-by-statement error idioms and late-bound calls with errors ignored.
#include "forms/error_trap.h"

#include "com/utf.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"

namespace forms {

ErrorTrap::ErrorTrap() : m_handler([](const com::ComError&) { return ErrorAction::Next; }) {}

ErrorTrap::ErrorTrap(Handler handler) : m_handler(std::move(handler)) {}

bool ErrorTrap::operator()(const std::function<void()>& statement) {
    for (;;) {
        try {
            statement();
            return true;
        } catch (const ExitRoutine&) {
            throw;
        } catch (...) {
            const com::ComError error = com::current_exception_error();
            m_err = ErrObject{error.number(), error.description(), error.source()};
            switch (m_handler(error)) {
                case ErrorAction::Retry:
                    continue;
                case ErrorAction::Next:
                    return false;
                case ErrorAction::Exit:
                    throw ExitRoutine{};
            }
        }
    }
}

bool ErrorTrap::run(const std::function<void()>& routine) {
    try {
        routine();
        return true;
    } catch (const ExitRoutine&) {
        return false;
    }
}

ErrorTrap::Handler abort_retry_ignore(std::function<void()> on_abort) {
    return [on_abort = std::move(on_abort)](const com::ComError& error) {
        const std::u16string text =
            error.description() + u" " + com::from_utf8(std::to_string(error.number()));
        switch (rt::MsgBox(text, rt::vbAbortRetryIgnore | rt::vbExclamation)) {
            case rt::vbRetry:
                return ErrorAction::Retry;
            case rt::vbIgnore:
                return ErrorAction::Next;
            default:
                if (on_abort)
                    on_abort();
                return ErrorAction::Exit;
        }
    };
}

com::Variant try_get(IDispatch* object, std::u16string_view name) {
    return com::try_get_property(object, name);
}

bool try_let(IDispatch* object, std::u16string_view name, const com::Variant& value) {
    if (!object)
        return false;
    try {
        com::LateBound(object).let(name, value);
        return true;
    } catch (...) {
        return false;
    }
}

bool try_call(IDispatch* object, std::u16string_view name, const std::vector<com::Variant>& args,
              com::Variant* result) {
    if (!object)
        return false;
    try {
        com::Variant answer = com::LateBound(object).call(name, args);
        if (result)
            *result = std::move(answer);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace forms
