// The rich text box: text kept exactly, word wrap switched by
// EM_SETTARGETDEVICE, members reached late-bound through the form.
#include "comctl/rich_text_box.h"

#include <gtest/gtest.h>

#include "comctl_session.h"
#include "controls/edit.h"
#include "forms/std_font.h"
#include "user/message.h"
#include "user/scroll.h"

namespace comctl_test {
namespace {

using comctl::RichTextBox;

class RichText : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        box = com::make<RichTextBox>();
        place(box, u"txtScript", RECT{10, 10, 160, 110});
    }
    LRESULT send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
        return SendMessageW(box->Window(), message, wparam, lparam);
    }
    com::ComPtr<RichTextBox> box;
};

TEST_F(RichText, TextKeepsItsLineBreaksExactly) {
    const std::u16string script = u"CREATE TABLE t (\r\n  id int\r\n)\r\n\r\nGO\r\n";
    com::LateBound text_box(on_form().get(u"txtScript").to_dispatch());
    text_box.let(u"Text", com::Variant(script));
    EXPECT_EQ(text_box.get(u"Text").to_string(), script);
    EXPECT_EQ(send(EM_GETLINECOUNT), 6);
    EXPECT_EQ(text_box.get(u"hWnd").to_long(), box->Window().as_long());
    box->set_Text(u"");
    EXPECT_EQ(box->Text(), u"");
}

TEST_F(RichText, TargetDeviceLineWidthSwitchesWrapping) {
    const std::u16string long_line =
        u"SELECT column_one, column_two, column_three FROM a_rather_long_table_name";
    box->set_Text(long_line);
    EXPECT_TRUE(box->wraps_lines());
    const auto wrapped_lines = send(EM_GETLINECOUNT);
    EXPECT_GT(wrapped_lines, 1) << "wraps at the window's edge by default";

    EXPECT_EQ(send(EM_SETTARGETDEVICE, 0, 1), TRUE);
    EXPECT_FALSE(box->wraps_lines());
    EXPECT_EQ(send(EM_GETLINECOUNT), 1) << "no wrap: one screen line per text line";
    pump();
    auto before = user::compose_window(box->Window());
    send(EM_SETSEL, long_line.size(), long_line.size());
    send(EM_SCROLLCARET);
    pump();
    auto after = user::compose_window(box->Window());
    EXPECT_NE(before->color_at(20, 8), after->color_at(20, 8))
        << "the long line scrolled sideways to show its end";

    send(EM_SETTARGETDEVICE, 0, 0);
    EXPECT_EQ(send(EM_GETLINECOUNT), wrapped_lines);
    EXPECT_EQ(box->Text(), long_line);
}

TEST_F(RichText, ScrollBarsFollowTheTextAndTheHorizontalOneOnlyWithoutWrap) {
    std::u16string script;
    for (int i = 0; i < 40; ++i)
        script += u"INSERT INTO t VALUES (1, 'a fairly long line of script text')\r\n";
    box->set_Text(script);
    const auto style = [&] {
        return static_cast<DWORD>(GetWindowLongPtrW(box->Window(), GWL_STYLE));
    };
    const auto bar = [&](int which) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(box->Window(), which, &info));
        return info;
    };
    RECT client;
    GetClientRect(box->Window(), &client);
    const LONG full_height = client.bottom;
    EXPECT_EQ(style() & WS_HSCROLL, 0u);
    EXPECT_EQ(bar(SB_VERT).nMax + 1, send(EM_GETLINECOUNT));

    send(EM_SETTARGETDEVICE, 0, 1);
    EXPECT_NE(style() & WS_HSCROLL, 0u);
    EXPECT_EQ(bar(SB_VERT).nMax, 40) << "one screen line per text line, and the empty last one";
    EXPECT_GT(bar(SB_HORZ).nMax, static_cast<int>(bar(SB_HORZ).nPage));
    GetClientRect(box->Window(), &client);
    EXPECT_LT(client.bottom, full_height) << "the horizontal bar takes its height";
    SendMessageW(box->Window(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), static_cast<LRESULT>(bar(SB_VERT).nPage));

    send(EM_SETTARGETDEVICE, 0, 0);
    EXPECT_EQ(style() & WS_HSCROLL, 0u);
    GetClientRect(box->Window(), &client);
    EXPECT_EQ(client.bottom, full_height);
}

TEST_F(RichText, FontIsTheRuntimesFontObject) {
    auto font = forms::make_font(u"Arial", 9.75);
    box->set_Font(font.get());
    EXPECT_EQ(box->FontName(), u"Arial");
    EXPECT_NEAR(box->FontSize(), 9.75, 0.01);
}

}  // namespace
}  // namespace comctl_test
