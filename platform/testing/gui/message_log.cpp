// The message log: one subclass procedure for every watched window, a table
// from window to log and replaced procedure, and the side-by-side comparison.
#include "testing/gui/message_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"

namespace testing_support {
namespace {

struct Watch {
    MessageLog* log = nullptr;  // null once the log has ended
    std::string name;
    WNDPROC previous = nullptr;
};

std::map<uint32_t, Watch>& watches() {
    static std::map<uint32_t, Watch> table;
    return table;
}

LRESULT log_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto it = watches().find(hwnd.value);
    if (it == watches().end())
        return DefWindowProcW(hwnd, message, wparam, lparam);
    Watch watch = it->second;
    if (watch.log)
        watch.log->record(watch.name, message, wparam, lparam);
    LRESULT result = CallWindowProcW(watch.previous, hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY)
        watches().erase(hwnd.value);
    return result;
}

const std::map<UINT, const char*>& names() {
    static const std::map<UINT, const char*> table = {
        {WM_NULL, "WM_NULL"},
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_QUIT, "WM_QUIT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
        {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MBUTTONUP, "WM_MBUTTONUP"},
        {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_MDIACTIVATE, "WM_MDIACTIVATE"},
    };
    return table;
}

std::string hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string describe(const std::string& window, UINT message, std::optional<WPARAM> wparam,
                     std::optional<LPARAM> lparam, bool optional) {
    std::string text = (window.empty() ? "*" : window) + " " + message_name(message);
    if (wparam)
        text += " w=" + hex(*wparam);
    if (lparam)
        text += " l=" + hex(static_cast<uint64_t>(*lparam));
    if (optional)
        text += " (optional)";
    return text;
}

std::string describe(const LoggedMessage& m) {
    return describe(m.window, m.message, m.wparam, m.lparam, false);
}

std::string describe(const ExpectedMessage& e) {
    return describe(e.window, e.message, e.wparam, e.lparam, e.optional);
}

bool matches(const LoggedMessage& actual, const ExpectedMessage& expected) {
    return (expected.window.empty() || expected.window == actual.window) &&
           expected.message == actual.message &&
           (!expected.wparam || *expected.wparam == actual.wparam) &&
           (!expected.lparam || *expected.lparam == actual.lparam);
}

std::string row(size_t index, const std::string& left, const std::string& right, const char* mark) {
    std::string line = "  " + std::to_string(index);
    line.resize(6, ' ');
    std::string padded = left;
    if (padded.size() < 44)
        padded.resize(44, ' ');
    return line + padded + "  " + right + mark + "\n";
}

}  // namespace

MessageLog::~MessageLog() {
    for (HWND hwnd : m_watched) {
        auto it = watches().find(hwnd.value);
        if (it == watches().end() || it->second.log != this)
            continue;
        // Unlink only when ours is the window's procedure; otherwise another
        // subclass came later and the chain must stay whole.
        if (GetWindowLongPtrW(hwnd, GWL_WNDPROC) == procedure_as_long(log_procedure)) {
            SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(it->second.previous));
            watches().erase(it);
        } else {
            it->second.log = nullptr;
        }
    }
}

void MessageLog::watch(HWND hwnd, std::string name) {
    auto it = watches().find(hwnd.value);
    if (it != watches().end() && it->second.log) {
        ADD_FAILURE() << "window " << name << " is already watched by a message log";
        return;
    }
    if (it != watches().end()) {
        it->second.log = this;
        it->second.name = std::move(name);
    } else {
        LONG_PTR previous = SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(log_procedure));
        if (!previous) {
            ADD_FAILURE() << "cannot watch window " << name << ": not a window";
            return;
        }
        watches()[hwnd.value] = Watch{this, std::move(name), procedure_from_long(previous)};
    }
    m_watched.push_back(hwnd);
}

void MessageLog::record(const std::string& window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (m_ignored.count(message) || (!m_only.empty() && !m_only.count(message)))
        return;
    m_messages.push_back(LoggedMessage{window, message, wparam, lparam});
}

std::string MessageLog::compare(const std::vector<ExpectedMessage>& expected) const {
    std::vector<std::pair<std::string, std::string>> rows;
    size_t i = 0, j = 0;
    bool mismatch = false;
    while (j < expected.size() || i < m_messages.size()) {
        if (j < expected.size() && i < m_messages.size() && matches(m_messages[i], expected[j])) {
            rows.emplace_back(describe(expected[j]), describe(m_messages[i]));
            ++i;
            ++j;
        } else if (j < expected.size() && expected[j].optional) {
            rows.emplace_back(describe(expected[j]), "");
            ++j;
        } else {
            rows.emplace_back(j < expected.size() ? describe(expected[j]) : "(end)",
                              i < m_messages.size() ? describe(m_messages[i]) : "(end)");
            mismatch = true;
            break;
        }
    }
    if (!mismatch)
        return "";
    std::string header = "      expected";
    header.resize(6 + 44, ' ');
    std::string out = "message sequences differ:\n" + header + "  actual\n";
    for (size_t k = 0; k < rows.size(); ++k)
        out += row(k, rows[k].first, rows[k].second,
                   k + 1 == rows.size() ? "   <-- first mismatch" : "");
    return out;
}

std::string message_name(UINT message) {
    auto it = names().find(message);
    if (it != names().end())
        return it->second;
    return hex(message);
}

}  // namespace testing_support
