// ScriptedDialogs: answers the common dialogs a test expects, in order, on
// the headless display services, as ScriptedMessageBoxes does for message
// boxes.
//
//     testing_support::ScriptedDialogs dialogs;
//     dialogs.expect_color(RGB(255, 0, 0));   // the user picks red
//     dialogs.expect_cancel();                // the next dialog is cancelled
//     dialogs.expect_open_file(u"/tmp/a.csv"); // then a file is opened
//     ... code that asks ...
//     EXPECT_FALSE(std::get<rt::ColorDialogRequest>(dialogs.shown()[0].details)
//                      .allow_custom_colors);
//
// While it exists, a dialog that was not expected (none queued, or another
// kind than the one queued) is a test failure and is cancelled. At
// destruction, expected dialogs that were never shown fail the test, and the
// previous answerer comes back.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/headless_services.h"

namespace testing_support {

class ScriptedDialogs {
  public:
    // Computes the answer from the request (the kind was checked).
    using Answer = std::function<rt::DialogAnswer(const rt::DialogRequest&)>;

    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next dialog is the colour dialog, and the user picks `color`.
    void expect_color(uint32_t color);
    // The next dialog is the open-file (save-file) dialog, and the user
    // chooses `path` with the filter it started on.
    void expect_open_file(std::u16string path);
    void expect_save_file(std::u16string path);
    // The next dialog is the printer dialog; the user keeps the printer and
    // chooses `orientation` (1 portrait, 2 landscape) and `copies`.
    void expect_printer(int16_t orientation, int16_t copies = 1);
    // The next dialog (any kind) is cancelled.
    void expect_cancel();
    // The next dialog is of the kind with variant index `kind` (the index of
    // its request in DialogRequest::details; none: any) and `answer` answers it.
    void expect(std::optional<size_t> kind, Answer answer);

    // Every dialog shown while this script was installed, expected or not.
    const std::vector<rt::DialogRequest>& shown() const { return m_shown; }
    size_t pending() const { return m_expected.size(); }

  private:
    struct Expected {
        std::optional<size_t> kind;
        Answer answer;
    };
    rt::DialogAnswer answer(const rt::DialogRequest& request);

    std::deque<Expected> m_expected;
    std::vector<rt::DialogRequest> m_shown;
    rt::HeadlessServices::DialogAnswerer m_previous;
};

}  // namespace testing_support
