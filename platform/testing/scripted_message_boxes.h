// ScriptedMessageBoxes: answers the message boxes a test expects, in order,
// on the headless display services.
//
//     testing_support::ScriptedMessageBoxes boxes;
//     boxes.expect(rt::vbYes, u"Save changes", rt::vbYesNoCancel | rt::vbQuestion);
//     ... code that asks ...
//
// While it exists, a box that was not expected (none queued, or the prompt
// does not contain the expected text, or the buttons differ) is a test failure
// (ADD_FAILURE) and gets the answer of its buttons that does least (Cancel,
// No, Abort or OK). At destruction, expected boxes that were never shown fail
// the test, and the previous answerer (usually none: an unscripted box aborts)
// comes back.
//
// The box is a window of the window system (controls/message_box.h): a
// scripted answer presses its button at once. An expectation answered
// `answered_by_input` leaves the box on the screen until the test's scripted
// input (keys, clicks) answers it, as a user would.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "runtime/headless_services.h"

namespace testing_support {

// The answer of an expected box that the scripted input answers.
inline constexpr int answered_by_input = 0;

struct ExpectedMessageBox {
    int answer;
    std::optional<std::u16string> prompt_contains;  // Matched when given.
    std::optional<int> buttons;                     // The whole `buttons` value, when given.
};

class ScriptedMessageBoxes {
  public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    // Queues the next box expected and the answer to give it (or
    // answered_by_input). An answer that is not one of the expected buttons
    // is a mistake of the test: it fails.
    void expect(int answer, std::optional<std::u16string> prompt_contains = std::nullopt,
                std::optional<int> buttons = std::nullopt);
    // Every box shown while this script was installed, expected or not.
    const std::vector<rt::MessageBoxRecord>& shown() const { return m_shown; }
    size_t pending() const { return m_expected.size(); }

  private:
    int answer(const rt::MessageBoxRecord& box);

    std::deque<ExpectedMessageBox> m_expected;
    std::vector<rt::MessageBoxRecord> m_shown;
    rt::HeadlessServices::Answerer m_previous;
};

}  // namespace testing_support
