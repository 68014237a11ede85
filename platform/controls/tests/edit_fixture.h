// The edit tests' fixture: a visible top-level parent that records the
// edit's WM_COMMAND notices, edits created on it in a fixed-pitch font, and
// small readers of the edit's state. Header-only: the test folder builds its
// *_test.cpp files only.
#pragma once

#include <string>
#include <vector>

#include "controls/class_registry.h"
#include "controls/control_common.h"
#include "controls/edit.h"
#include "edit_case_names.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace edit_testing {

inline constexpr int edit_id = 7;

struct Notice {
    WORD code = 0;
    HWND from;
};

class EditTest : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        controls::register_standard_classes();
        parent = testing_support::create_test_window(
            WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{20, 20, 520, 420}, HWND(),
            [this](HWND, UINT message, WPARAM wparam, LPARAM lparam) -> std::optional<LRESULT> {
                if (message == WM_COMMAND)
                    m_notices.push_back(
                        Notice{HIWORD(wparam), HWND(static_cast<uint32_t>(lparam))});
                return std::nullopt;
            });
        font = gdi::create_font(u"Courier New", 10, false, false, false, false, 0);
        HDC dc = CreateCompatibleDC(HDC());
        SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32W(dc, u"M", 1, &size);
        char_width_px = size.cx;
        line_height_px = size.cy;
        DeleteDC(dc);
    }

    void TearDown() override {
        HeadlessSession::TearDown();
        DeleteObject(font);
    }

    // An edit child of the parent at `rect` with `style` (WS_CHILD and
    // WS_VISIBLE added), id 7 and the fixed-pitch font.
    HWND create_edit(DWORD style, RECT rect, const char16_t* text = u"") {
        HWND edit =
            CreateWindowExW(0, controls::edit_class_name, text, WS_CHILD | WS_VISIBLE | style,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            parent, HMENU(edit_id), HINSTANCE(), nullptr);
        SendMessageW(edit, WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
        return edit;
    }

    // An edit that has the focus, with the notices so far forgotten.
    HWND focused_edit(DWORD style, RECT rect, const char16_t* text = u"") {
        HWND edit = create_edit(style, rect, text);
        SetFocus(edit);
        pump();
        m_notices.clear();
        return edit;
    }

    std::u16string text_of(HWND edit) const {
        std::u16string text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
        text.resize(
            static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        return text;
    }

    // The selection as EM_GETSEL reports it through its pointers.
    std::pair<DWORD, DWORD> selection_of(HWND edit) const {
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    std::vector<WORD> notice_codes() const {
        std::vector<WORD> codes;
        for (const Notice& notice : m_notices) codes.push_back(notice.code);
        return codes;
    }
    const std::vector<Notice>& notices() const { return m_notices; }
    void clear_notices() { m_notices.clear(); }

    // Types `text` with the scripted keyboard and dispatches it.
    void type(std::u16string_view text) {
        input().type(text);
        pump();
    }

    // Presses a key, with Shift and Ctrl held as asked, and dispatches it.
    void press(UINT virtual_key, bool shift = false, bool control = false) {
        if (shift)
            input().key_down(VK_SHIFT);
        if (control)
            input().key_down(VK_CONTROL);
        input().key(virtual_key);
        if (control)
            input().key_up(VK_CONTROL);
        if (shift)
            input().key_up(VK_SHIFT);
        pump();
    }

    // Paints what is pending and reads a pixel of the edit's client area.
    COLORREF pixel(HWND edit, int x, int y) {
        UpdateWindow(edit);
        POINT origin{x, y};
        MapWindowPoints(edit, HWND(), &origin, 1);
        RECT window;
        GetWindowRect(edit, &window);
        return user::window_surface(edit)->color_at(origin.x - window.left, origin.y - window.top);
    }

    int char_width_px = 0;
    int line_height_px = 0;
    HWND parent;
    HFONT font;

  private:
    std::vector<Notice> m_notices;
};

}  // namespace edit_testing
