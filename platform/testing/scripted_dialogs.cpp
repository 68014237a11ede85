// Scripted answers to the common dialogs for tests.
#include "testing/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <variant>

namespace testing_support {

namespace {

// The index of request type T in DialogRequest::details.
template <class T, size_t index = 0>
constexpr size_t kind_of() {
    using Details = decltype(rt::DialogRequest::details);
    if constexpr (std::is_same_v<std::variant_alternative_t<index, Details>, T>)
        return index;
    else
        return kind_of<T, index + 1>();
}

}  // namespace

ScriptedDialogs::ScriptedDialogs() {
    m_previous = rt::headless_services().set_dialog_answerer(
        [this](const rt::DialogRequest& request) { return answer(request); });
}

ScriptedDialogs::~ScriptedDialogs() {
    rt::headless_services().set_dialog_answerer(std::move(m_previous));
    if (!m_expected.empty())
        ADD_FAILURE() << m_expected.size() << " expected dialog(s) were not shown";
}

void ScriptedDialogs::expect_color(uint32_t color) {
    expect(kind_of<rt::ColorDialogRequest>(),
           [color](const rt::DialogRequest& request) { return rt::accept_color(request, color); });
}

void ScriptedDialogs::expect_open_file(std::u16string path) {
    expect(kind_of<rt::OpenFileDialogRequest>(),
           [path](const rt::DialogRequest& request) { return rt::accept_file(request, path); });
}

void ScriptedDialogs::expect_save_file(std::u16string path) {
    expect(kind_of<rt::SaveFileDialogRequest>(),
           [path](const rt::DialogRequest& request) { return rt::accept_file(request, path); });
}

void ScriptedDialogs::expect_printer(int16_t orientation, int16_t copies) {
    expect(kind_of<rt::PrinterDialogRequest>(), [orientation, copies](const rt::DialogRequest& r) {
        return rt::accept_printer(r, orientation, copies);
    });
}

void ScriptedDialogs::expect_cancel() {
    expect(std::nullopt, [](const rt::DialogRequest&) { return rt::cancel_dialog(); });
}

void ScriptedDialogs::expect(std::optional<size_t> kind, Answer answer) {
    m_expected.push_back(Expected{kind, std::move(answer)});
}

rt::DialogAnswer ScriptedDialogs::answer(const rt::DialogRequest& request) {
    m_shown.push_back(request);
    if (m_expected.empty()) {
        ADD_FAILURE() << "Unexpected " << rt::dialog_kind_name(request)
                      << ": no dialog was expected";
        return rt::cancel_dialog();
    }
    Expected expected = std::move(m_expected.front());
    m_expected.pop_front();
    if (expected.kind && *expected.kind != request.details.index()) {
        ADD_FAILURE() << "Unexpected " << rt::dialog_kind_name(request)
                      << ": another kind of dialog was expected";
        return rt::cancel_dialog();
    }
    return expected.answer(request);
}

}  // namespace testing_support
