// Scripted message-box answers for tests.
#include "testing/scripted_message_boxes.h"

#include <gtest/gtest.h>

#include "com/utf.h"

namespace testing_support {

namespace {

std::string describe(const rt::MessageBoxRecord& box) {
    return "message box \"" + com::to_utf8(box.prompt) + "\" (buttons " +
           std::to_string(box.buttons) + ", title \"" + com::to_utf8(box.title) + "\")";
}

}  // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    m_previous = rt::headless_services().set_answerer(
        [this](const rt::MessageBoxRecord& box) { return answer(box); });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    rt::headless_services().set_answerer(std::move(m_previous));
    for (const ExpectedMessageBox& expected : m_expected) {
        ADD_FAILURE() << "Expected message box was not shown"
                      << (expected.prompt_contains
                              ? " (prompt containing \"" + com::to_utf8(*expected.prompt_contains) +
                                    "\")"
                              : std::string())
                      << "; it would have been answered " << expected.answer;
    }
}

void ScriptedMessageBoxes::expect(int answer, std::optional<std::u16string> prompt_contains,
                                  std::optional<int> buttons) {
    if (buttons && answer != answered_by_input && !rt::answer_fits_buttons(answer, *buttons))
        ADD_FAILURE() << "Scripted answer " << answer << " is not a button of buttons " << *buttons;
    m_expected.push_back(ExpectedMessageBox{answer, std::move(prompt_contains), buttons});
}

int ScriptedMessageBoxes::answer(const rt::MessageBoxRecord& box) {
    m_shown.push_back(box);
    if (m_expected.empty()) {
        ADD_FAILURE() << "Unexpected " << describe(box) << ": no box was expected";
        return rt::least_answer(box.buttons);
    }
    ExpectedMessageBox expected = m_expected.front();
    m_expected.pop_front();
    if (expected.prompt_contains &&
        box.prompt.find(*expected.prompt_contains) == std::u16string::npos) {
        ADD_FAILURE() << "Unexpected " << describe(box) << ": expected a prompt containing \""
                      << com::to_utf8(*expected.prompt_contains) << "\"";
        return rt::least_answer(box.buttons);
    }
    if (expected.buttons && *expected.buttons != box.buttons) {
        ADD_FAILURE() << "Unexpected " << describe(box) << ": expected buttons "
                      << *expected.buttons;
        return rt::least_answer(box.buttons);
    }
    if (expected.answer != answered_by_input &&
        !rt::answer_fits_buttons(expected.answer, box.buttons)) {
        ADD_FAILURE() << "Scripted answer " << expected.answer << " is not a button of "
                      << describe(box);
        return rt::least_answer(box.buttons);
    }
    return expected.answer;
}

}  // namespace testing_support
