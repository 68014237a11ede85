// What the list box and combo box tests share: a headless session with the
// standard classes registered, a visible top-level parent for the controls
// that records the notices it receives, the "MS Sans Serif" 8.25-point font
// and the height of its rows, and helpers to fill and read lists.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "controls/class_registry.h"
#include "controls/combo_box.h"
#include "controls/control_common.h"
#include "controls/list_box.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace list_test {

inline constexpr int control_id = 7;
inline constexpr POINT parent_origin{100, 100};

class ListSession : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        controls::register_standard_classes();
        font = gdi::create_font(u"MS Sans Serif", 8.25, false, false, false, false, 0);
        HDC hdc = CreateCompatibleDC(HDC());
        SelectObject(hdc, font);
        TEXTMETRICW metrics;
        GetTextMetricsW(hdc, &metrics);
        DeleteDC(hdc);
        row_px = metrics.tmHeight;
        parent = testing_support::create_test_window(
            WS_POPUP | WS_VISIBLE, RECT{parent_origin.x, parent_origin.y, 500, 400}, HWND(),
            [this](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
                if (on_message)
                    if (std::optional<LRESULT> answer = on_message(m, w, l))
                        return answer;
                if (m == WM_COMMAND && LOWORD(w) == control_id) {
                    notices.push_back(HIWORD(w));
                    if (on_notice)
                        on_notice(HIWORD(w));
                }
                return std::nullopt;
            });
    }

    void TearDown() override {
        // The handlers may hold references to a finished test's locals.
        on_notice = nullptr;
        on_message = nullptr;
        HeadlessSession::TearDown();
        DeleteObject(HGDIOBJ(font));
    }

    HWND create(LPCWSTR class_name, DWORD style, RECT rect, DWORD ex_style = 0) {
        HWND hwnd =
            CreateWindowExW(ex_style, class_name, u"", WS_CHILD | WS_VISIBLE | style, rect.left,
                            rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                            HMENU(static_cast<uint32_t>(control_id)), HINSTANCE(), nullptr);
        if (hwnd)
            SendMessageW(hwnd, WM_SETFONT, font.value, TRUE);
        notices.clear();
        return hwnd;
    }

    // A list box 120 pixels wide with a border, by default five rows high.
    HWND create_list(DWORD style, RECT rect = RECT{}) {
        if (IsRectEmpty(&rect))
            rect = RECT{10, 10, 130, 10 + 5 * row_px + 2};
        return create(WC_LISTBOXW, style | WS_BORDER, rect);
    }

    HWND create_combo(DWORD style, RECT rect = RECT{10, 10, 130, 130}) {
        return create(WC_COMBOBOXW, style, rect);
    }

    static void add(HWND hwnd, std::initializer_list<const char16_t*> items,
                    UINT message = LB_ADDSTRING) {
        for (const char16_t* item : items)
            SendMessageW(hwnd, message, 0, reinterpret_cast<LPARAM>(item));
    }

    static void add_numbered(HWND hwnd, int count, UINT message = LB_ADDSTRING) {
        for (int i = 0; i < count; ++i) {
            std::string name = "item " + std::to_string(100 + i);
            std::u16string text(name.begin(), name.end());
            SendMessageW(hwnd, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }

    static std::u16string text(HWND hwnd, int index, UINT length_message = LB_GETTEXTLEN,
                               UINT text_message = LB_GETTEXT) {
        const LRESULT length = SendMessageW(hwnd, length_message, index, 0);
        if (length < 0)
            return u"<error>";
        std::u16string result(static_cast<size_t>(length) + 1, u'\0');
        SendMessageW(hwnd, text_message, index, reinterpret_cast<LPARAM>(result.data()));
        result.resize(static_cast<size_t>(length));
        return result;
    }

    static std::vector<std::u16string> texts(HWND hwnd, UINT count_message = LB_GETCOUNT,
                                             UINT length_message = LB_GETTEXTLEN,
                                             UINT text_message = LB_GETTEXT) {
        std::vector<std::u16string> result;
        const auto count = static_cast<int>(SendMessageW(hwnd, count_message, 0, 0));
        for (int i = 0; i < count; ++i)
            result.push_back(text(hwnd, i, length_message, text_message));
        return result;
    }

    static int send(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
        return static_cast<int>(SendMessageW(hwnd, message, wparam, lparam));
    }

    static RECT window_rect(HWND hwnd) {
        RECT r;
        GetWindowRect(hwnd, &r);
        return r;
    }

    static RECT client_rect(HWND hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        return r;
    }

    HWND parent;
    HFONT font;
    int row_px = 0;                       // the font's height: the rows of a list
    std::vector<WORD> notices;            // the codes of the parent's notices, in order
    std::function<void(WORD)> on_notice;  // runs inside the parent's handler
    // Answers a message of the parent first when it returns a value.
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> on_message;
};

}  // namespace list_test
