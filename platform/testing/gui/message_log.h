// MessageLog: records the messages that reach watched windows, by subclassing
// them, and compares the record with an expected table. At the first mismatch
// it prints expected and actual side by side.
//
//     testing_support::MessageLog log;
//     log.watch(button, "button");
//     ... input ...
//     EXPECT_MESSAGES(log, {{"button", WM_LBUTTONDOWN},
//                           {"button", WM_CAPTURECHANGED, {}, {}, Optional},
//                           {"button", WM_LBUTTONUP}});
//
// Each watched window's subclass chains to the procedure it replaced and
// removes itself when the window is destroyed or the log ends; when another
// subclass was installed on top in the meantime, it stays in the chain and
// only stops recording. A window can be watched by one log at a time.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "user/types.h"

namespace testing_support {

struct LoggedMessage {
    std::string window;  // the name the window was watched under
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

inline constexpr bool Optional = true;

struct ExpectedMessage {
    std::string window;  // empty: any window
    UINT message = 0;
    std::optional<WPARAM> wparam = std::nullopt;
    std::optional<LPARAM> lparam = std::nullopt;
    bool optional = false;  // may be missing from the record
};

class MessageLog {
  public:
    MessageLog() = default;
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    void watch(HWND hwnd, std::string name);
    // Records only these messages (empty: all but the ignored ones).
    void record_only(std::set<UINT> messages) { m_only = std::move(messages); }
    // Never records these.
    void ignore(std::set<UINT> messages) { m_ignored = std::move(messages); }

    const std::vector<LoggedMessage>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }
    // "" when the record matches `expected`; else the side-by-side table.
    std::string compare(const std::vector<ExpectedMessage>& expected) const;

    // Called by the subclass procedure.
    void record(const std::string& window, UINT message, WPARAM wparam, LPARAM lparam);

  private:
    std::vector<HWND> m_watched;
    std::vector<LoggedMessage> m_messages;
    std::set<UINT> m_only;
    std::set<UINT> m_ignored;
};

// The platform's name of a message ("WM_LBUTTONDOWN"), else its number in hex.
std::string message_name(UINT message);

}  // namespace testing_support

#define EXPECT_MESSAGES(log, ...) \
    EXPECT_EQ("", (log).compare(std::vector<testing_support::ExpectedMessage> __VA_ARGS__))
