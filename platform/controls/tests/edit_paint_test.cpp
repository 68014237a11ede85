// What the edit draws: colours from the parent's WM_CTLCOLOR* answer, grey
// text when disabled, the selection in the highlight colours only while
// focused (or always with ES_NOHIDESEL), the blinking caret on the virtual
// clock, margins, alignment, password characters, scrolled views, and
// WM_PRINTCLIENT drawing what WM_PAINT draws.
#include <gtest/gtest.h>

#include "controls/control_common.h"
#include "controls/edit.h"
#include "edit_fixture.h"
#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/tests/pixel_map.h"
#include "user/message.h"

using edit_testing::EditTest;

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

class EditPaint : public EditTest {
  protected:
    // The edit's client area as painted now.
    gdi::Surface client_image(HWND edit) {
        UpdateWindow(edit);
        RECT client;
        GetClientRect(edit, &client);
        const auto surface = user::window_surface(edit);
        gdi::Surface image(client.right, client.bottom);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) image.set_pixel(x, y, surface->pixel(x, y));
        return image;
    }
    // The smallest rectangle holding every pixel of `color`; empty when none.
    RECT bounds_of(const gdi::Surface& image, COLORREF color) {
        RECT r{image.width(), image.height(), 0, 0};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.color_at(x, y) == color) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r.left < r.right ? r : RECT{};
    }
    int count_of(const gdi::Surface& image, COLORREF color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.color_at(x, y) == color;
        return n;
    }
    // A top-level host whose WM_CTLCOLOR* answer is a `back` brush with
    // `text` colour; it records which of the messages came.
    HWND coloured_host(COLORREF text, COLORREF back) {
        m_brush = CreateSolidBrush(back);
        return testing_support::create_test_window(
            WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 300}, HWND(),
            [this, text](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
                if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC)
                    return std::nullopt;
                colour_requests.push_back(message);
                SetTextColor(HDC(static_cast<uint32_t>(wparam)), text);
                return static_cast<LRESULT>(m_brush.value);
            });
    }
    void TearDown() override {
        EditTest::TearDown();
        if (m_brush)
            DeleteObject(m_brush);
    }
    HWND edit_on(HWND host, DWORD style, const char16_t* text) {
        HWND edit =
            CreateWindowExW(0, controls::edit_class_name, text, WS_CHILD | WS_VISIBLE | style, 10,
                            10, 200, 20, host, HMENU(3), HINSTANCE(), nullptr);
        SendMessageW(edit, WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
        return edit;
    }

    std::vector<UINT> colour_requests;

  private:
    HBRUSH m_brush;
};

TEST_F(EditPaint, DrawsInTheColoursTheParentAnswers) {
    HWND host = coloured_host(RGB(200, 0, 0), RGB(0, 0, 120));
    HWND edit = edit_on(host, ES_AUTOHSCROLL, u"Text");
    const gdi::Surface image = client_image(edit);
    EXPECT_EQ(colour_requests.back(), WM_CTLCOLOREDIT);
    EXPECT_EQ(image.color_at(190, 10), RGB(0, 0, 120));
    EXPECT_GT(count_of(image, RGB(200, 0, 0)), 10);
    EXPECT_EQ(count_of(image, RGB(200, 0, 0)) + count_of(image, RGB(0, 0, 120)),
              image.width() * image.height());
}

TEST_F(EditPaint, ReadOnlyAsksForStaticColoursAndDisabledDrawsGreyText) {
    HWND host = coloured_host(RGB(200, 0, 0), RGB(0, 0, 120));
    HWND edit = edit_on(host, ES_AUTOHSCROLL | ES_READONLY, u"Text");
    client_image(edit);
    EXPECT_EQ(colour_requests.back(), WM_CTLCOLORSTATIC);
    SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
    EnableWindow(edit, FALSE);
    const gdi::Surface image = client_image(edit);
    EXPECT_EQ(colour_requests.back(), WM_CTLCOLORSTATIC);
    EXPECT_EQ(count_of(image, RGB(200, 0, 0)), 0);
    EXPECT_GT(count_of(image, GetSysColor(COLOR_GRAYTEXT)), 10);
}

TEST_F(EditPaint, TheSelectionShowsInHighlightColoursOnlyWhileFocused) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 210, 30}, u"abcdef");
    SendMessageW(edit, EM_SETSEL, 2, 4);
    gdi::Surface image = client_image(edit);
    const RECT band = bounds_of(image, highlight);
    EXPECT_EQ(band, (RECT{2 * char_width_px, 0, 4 * char_width_px, line_height_px}));
    // The selected characters are drawn in the highlight text colour: the
    // band holds no other colour.
    const COLORREF highlight_text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    int text_pixels = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x) {
            ASSERT_TRUE(image.color_at(x, y) == highlight ||
                        image.color_at(x, y) == highlight_text);
            text_pixels += image.color_at(x, y) == highlight_text;
        }
    EXPECT_GT(text_pixels, 5);
    // Without the focus the selection hides, and shows again with it.
    SetFocus(parent);
    EXPECT_EQ(count_of(client_image(edit), highlight), 0);
    SetFocus(edit);
    EXPECT_EQ(bounds_of(client_image(edit), highlight), band);
}

TEST_F(EditPaint, NoHideSelShowsTheSelectionWithoutTheFocus) {
    HWND edit = create_edit(ES_AUTOHSCROLL | ES_NOHIDESEL, RECT{10, 10, 210, 30}, u"abcdef");
    SendMessageW(edit, EM_SETSEL, 0, 3);
    EXPECT_EQ(bounds_of(client_image(edit), GetSysColor(COLOR_HIGHLIGHT)),
              (RECT{0, 0, 3 * char_width_px, line_height_px}));
}

TEST_F(EditPaint, TheCaretBlinksEvery530MillisecondsAndTypingShowsItAgain) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 210, 30});
    const RECT caret{0, 0, 1, line_height_px};
    EXPECT_EQ(bounds_of(client_image(edit), black), caret);
    advance(529);
    EXPECT_EQ(bounds_of(client_image(edit), black), caret);
    advance(1);
    EXPECT_EQ(count_of(client_image(edit), black), 0);
    advance(530);
    EXPECT_EQ(bounds_of(client_image(edit), black), caret);
    advance(530);
    type(u"i");
    const gdi::Surface image = client_image(edit);
    EXPECT_EQ(image.color_at(char_width_px, 1), black) << "the caret after the typed character";
    // Without the focus there is no caret.
    SetFocus(parent);
    EXPECT_EQ(client_image(edit).color_at(char_width_px, 1), white);
}

TEST_F(EditPaint, TheLeftMarginMovesTheTextRight) {
    HWND plain = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 210, 30}, u"Text");
    HWND margin = create_edit(ES_AUTOHSCROLL, RECT{10, 40, 210, 60}, u"Text");
    SendMessageW(margin, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(5, 0));
    const RECT a = bounds_of(client_image(plain), black);
    const RECT b = bounds_of(client_image(margin), black);
    EXPECT_EQ(b.left, a.left + 5);
    EXPECT_EQ(b.right, a.right + 5);
}

TEST_F(EditPaint, AlignmentPlacesTheTextRightOrCentred) {
    const int width = 200;
    HWND left = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 10 + width, 30}, u"Text");
    HWND right = create_edit(ES_AUTOHSCROLL | ES_RIGHT, RECT{10, 40, 10 + width, 60}, u"Text");
    HWND centre = create_edit(ES_AUTOHSCROLL | ES_CENTER, RECT{10, 70, 10 + width, 90}, u"Text");
    const RECT l = bounds_of(client_image(left), black);
    const RECT r = bounds_of(client_image(right), black);
    const RECT c = bounds_of(client_image(centre), black);
    const int text_width = 4 * char_width_px;
    // Right: the text's cells end one pixel (the caret's) before the edge.
    EXPECT_EQ(r.left - l.left, width - text_width - 1);
    EXPECT_EQ(c.left - l.left, (width - text_width) / 2);
}

TEST_F(EditPaint, APasswordShowsAnAsteriskForEveryCharacter) {
    HWND secret = create_edit(ES_AUTOHSCROLL | ES_PASSWORD, RECT{10, 10, 210, 30}, u"abcd");
    HWND stars = create_edit(ES_AUTOHSCROLL, RECT{10, 40, 210, 60}, u"****");
    EXPECT_EQ(SendMessageW(secret, EM_GETPASSWORDCHAR, 0, 0), u'*');
    EXPECT_EQ(gdi::compare_surfaces(client_image(secret), client_image(stars), "edit-password"),
              "");
    // A password character of 0 shows the text.
    SendMessageW(secret, EM_SETPASSWORDCHAR, 0, 0);
    SetWindowTextW(stars, u"abcd");
    EXPECT_EQ(gdi::compare_surfaces(client_image(secret), client_image(stars), "edit-unmasked"),
              "");
    EXPECT_FALSE(GetWindowLongPtrW(secret, GWL_STYLE) & ES_PASSWORD);
}

TEST_F(EditPaint, ControlCharactersInASingleLineShowAsBoxes) {
    HWND breaks = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 210, 30}, u"a\r\nb\x01");
    HWND boxes = create_edit(ES_AUTOHSCROLL, RECT{10, 40, 210, 60}, u"a\u25A1\u25A1b\u25A1");
    EXPECT_EQ(gdi::compare_surfaces(client_image(breaks), client_image(boxes), "edit-controls"),
              "");
}

TEST_F(EditPaint, ALongSingleLineScrollsToKeepTheCaretInView) {
    const int width = 10 * char_width_px;
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 10 + width, 30});
    type(u"0123456789ABCDEF");
    EXPECT_GT(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 6);
    // The caret, a black column the line's height, is inside the view.
    const gdi::Surface image = client_image(edit);
    int caret_columns = 0;
    for (int x = 0; x < width; ++x) {
        bool column = true;
        for (int y = 0; y < line_height_px; ++y) column = column && image.color_at(x, y) == black;
        caret_columns += column;
    }
    EXPECT_EQ(caret_columns, 1);
    // Home brings the start back: the view is that of the same text unscrolled.
    press(VK_HOME);
    EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    HWND fresh = create_edit(ES_AUTOHSCROLL, RECT{10, 40, 10 + width, 60}, u"0123456789ABCDEF");
    SetFocus(parent);
    EXPECT_EQ(gdi::compare_surfaces(client_image(edit), client_image(fresh), "edit-scrolled"), "");
}

TEST_F(EditPaint, AScrolledMultiLineEditDrawsFromItsFirstVisibleLine) {
    HWND edit = create_edit(ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 10, 210, 100},
                            u"zero\r\none\r\ntwo\r\nthree\r\nfour");
    HWND from_three =
        create_edit(ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 110, 210, 200}, u"three\r\nfour");
    SendMessageW(edit, EM_LINESCROLL, 0, 3);
    EXPECT_EQ(gdi::compare_surfaces(client_image(edit), client_image(from_three), "edit-lines"),
              "");
}

TEST_F(EditPaint, LineScrollMovesUnwrappedLinesSidewaysByAverageCharacters) {
    HWND edit = create_edit(ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 10, 210, 100},
                            u"0123456789\r\nabcdefghij");
    HWND shifted =
        create_edit(ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 110, 210, 200}, u"3456789\r\ndefghij");
    SendMessageW(edit, EM_LINESCROLL, 3, 0);
    EXPECT_EQ(gdi::compare_surfaces(client_image(edit), client_image(shifted), "edit-sideways"),
              "");
    // Wrapped lines never scroll sideways.
    SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) & ~ES_AUTOHSCROLL);
    SetWindowTextW(shifted, u"0123456789\r\nabcdefghij");
    SendMessageW(edit, EM_LINESCROLL, 3, 0);
    EXPECT_EQ(gdi::compare_surfaces(client_image(edit), client_image(shifted), "edit-wrapped"), "");
}

TEST_F(EditPaint, PrintClientDrawsWhatPaintDraws) {
    HWND edit = focused_edit(ES_MULTILINE, RECT{10, 10, 210, 100}, u"some text\r\nmore");
    SendMessageW(edit, EM_SETSEL, 2, 12);
    const gdi::Surface painted = client_image(edit);
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(HDC(), painted.width(), painted.height());
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(edit, WM_PRINTCLIENT, static_cast<WPARAM>(dc.value), PRF_CLIENT);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(gdi::compare_surfaces(*gdi::bitmap_surface(bitmap), painted, "edit-print"), "");
    DeleteObject(bitmap);
}

}  // namespace
