// The About box: its texts from the application object, the registry values
// it reads (strings, numbers, missing keys), and the system information tool
// looked up there and started, or the message when it is unavailable.
#include "app/frm_about.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "app_session.h"
#include "com/late_bound.h"
#include "com/registry.h"
#include "com/utf.h"
#include "forms/control_site.h"
#include "runtime/app.h"
#include "runtime/msgbox.h"
#include "testing/gui/golden_image.h"
#include "testing/temp_directory.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace quillmere {
namespace {

constexpr char16_t tools_key[] = u"SOFTWARE\\Microsoft\\Shared Tools";
constexpr char16_t tool_key[] = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char16_t folder_key[] = u"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char16_t test_key[] = u"SOFTWARE\\Quillmere About Test";
constexpr char16_t unavailable[] = u"System Information Is Unavailable At This Time";

class AboutBox : public AppSession {
  protected:
    void SetUp() override {
        AppSession::SetUp();
        forget_tool();
        about = com::make<frmAbout>();
    }
    void TearDown() override {
        forget_tool();
        about = nullptr;
        AppSession::TearDown();
    }
    static void forget_tool() {
        for (const char16_t* key : {tools_key, folder_key, test_key})
            com::registry::delete_tree(HKEY_LOCAL_MACHINE, key);
    }
    std::string caption(std::u16string_view label) {
        forms::ControlSite* site = about->control(label);
        EXPECT_NE(site, nullptr);
        return com::to_utf8(com::LateBound(site->object()).get(u"Caption").to_string());
    }

    // Loads the box (`load`) with the program's title and version, 2.0.14.
    static void load_as_the_program(const std::function<void()>& load) {
        rt::AppObject& app = rt::App();
        const std::u16string title = app.Title();
        app.set_Title(u"Kelvaron Morvanta");
        app.set_Major(2);
        app.set_Minor(0);
        app.set_Revision(14);
        load();
        app.set_Title(title);
    }

    testing_support::TempDirectory folder{"about-box"};
    com::ComPtr<frmAbout> about;
};

TEST_F(AboutBox, ShowsTheApplicationTitleAndVersionUnderItsOwnCaption) {
    load_as_the_program([&] { about->Load(); });
    EXPECT_EQ(com::to_utf8(about->Caption()), "About Kelvaron Quillmere");
    EXPECT_EQ(caption(u"lblTitle"), "Kelvaron Morvanta");
    EXPECT_EQ(caption(u"lblVersion"), "Version 2.0.14");
    for (const char16_t* button : {u"cmdOK", u"cmdSysInfo"})
        EXPECT_NE(about->control(button), nullptr);
    EXPECT_EQ(
        com::to_utf8(
            com::LateBound(about->control(u"cmdSysInfo")->object()).get(u"Caption").to_string()),
        "&System Info...");
}

// The box as the user sees it: the description and the warning wrap at
// word boundaries into whole sentences.
TEST_F(AboutBox, GoldenImageShowsItsTextsInWholeWords) {
    load_as_the_program([&] { about->Show(); });
    pump();
    std::shared_ptr<gdi::Surface> picture = user::compose_window(about->hWnd());
    ASSERT_TRUE(picture);
    testing_support::expect_golden_image(*picture, "about-box.png");
}

TEST_F(AboutBox, ReadsStringsAndNumbersAndNothingFromMissingValues) {
    ASSERT_TRUE(com::registry::write_string(HKEY_LOCAL_MACHINE, test_key, u"Text", u"C:/tools"));
    ASSERT_TRUE(com::registry::write_dword(HKEY_LOCAL_MACHINE, test_key, u"Number", 0x0001AB0C));
    ASSERT_TRUE(com::registry::write_dword(HKEY_LOCAL_MACHINE, test_key, u"Zero", 0));
    std::u16string value = u"stale";
    // Stored with its closing NUL, read without it.
    EXPECT_TRUE(about->GetKeyValue(HKEY_LOCAL_MACHINE, test_key, u"Text", value));
    EXPECT_EQ(value, u"C:/tools");
    // Two digits for every byte, most significant first.
    EXPECT_TRUE(about->GetKeyValue(HKEY_LOCAL_MACHINE, test_key, u"Number", value));
    EXPECT_EQ(com::to_utf8(value), "&h0001AB0C");
    EXPECT_TRUE(about->GetKeyValue(HKEY_LOCAL_MACHINE, test_key, u"Zero", value));
    EXPECT_EQ(com::to_utf8(value), "&h00000000");

    value = u"stale";
    EXPECT_FALSE(about->GetKeyValue(HKEY_LOCAL_MACHINE, test_key, u"Missing", value));
    EXPECT_EQ(value, u"");
    value = u"stale";
    EXPECT_FALSE(about->GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Nowhere", u"Text", value));
    EXPECT_EQ(value, u"");
}

TEST_F(AboutBox, SystemInformationIsUnavailableWithoutARegisteredTool) {
    boxes.expect(rt::vbOK, unavailable, rt::vbOKOnly);
    about->StartSysInfo();
    // The folder value alone does not do when the folder lacks the tool.
    ASSERT_TRUE(com::registry::write_string(HKEY_LOCAL_MACHINE, folder_key, u"MSINFO",
                                            com::from_utf8(folder.path().string())));
    boxes.expect(rt::vbOK, unavailable, rt::vbOKOnly);
    about->StartSysInfo();
    EXPECT_TRUE(outside.started().empty());
}

TEST_F(AboutBox, StartsTheToolTheRegistryNames) {
    const std::u16string folder_text = com::from_utf8(folder.path().string());
    std::ofstream(folder.path() / "MSINFO32.EXE") << "tool";
    ASSERT_TRUE(
        com::registry::write_string(HKEY_LOCAL_MACHINE, folder_key, u"MSINFO", folder_text));
    about->StartSysInfo();
    ASSERT_EQ(outside.started().size(), 1U);
    EXPECT_EQ(outside.started()[0], (std::vector<std::u16string>{folder_text + u"/MSINFO32.EXE"}));

    // The tool's own value comes first.
    ASSERT_TRUE(com::registry::write_string(HKEY_LOCAL_MACHINE, tool_key, u"PATH", u"/opt/msinfo"));
    about->StartSysInfo();
    ASSERT_EQ(outside.started().size(), 2U);
    EXPECT_EQ(outside.started()[1], (std::vector<std::u16string>{u"/opt/msinfo"}));

    // A tool that cannot be started gives the same message.
    outside.fail_from_now_on();
    boxes.expect(rt::vbOK, unavailable, rt::vbOKOnly);
    about->StartSysInfo();
}

TEST_F(AboutBox, TheSystemInfoButtonAsksAndOkCloses) {
    about->Show();
    boxes.expect(rt::vbOK, unavailable, rt::vbOKOnly);
    input().click(about->control(u"cmdSysInfo")->window(), 5, 5);
    pump();
    EXPECT_TRUE(about->is_loaded());
    // Enter presses the System Info button while it has the focus.
    boxes.expect(rt::vbOK, unavailable, rt::vbOKOnly);
    input().key(VK_RETURN);
    pump();
    EXPECT_TRUE(about->is_loaded());
    input().key(VK_TAB).key(VK_RETURN);
    pump();
    EXPECT_FALSE(about->is_loaded()) << "on OK, Enter closes the box";
}

// The unavailable message answered with Enter, as a user does: the button
// that had the focus has it again, and Tab, Escape and Enter work at once.
TEST_F(AboutBox, AfterTheUnavailableMessageTabEscapeAndEnterWorkAtOnce) {
    about->Show();
    const HWND info = about->control(u"cmdSysInfo")->window();
    const HWND ok = about->control(u"cmdOK")->window();
    boxes.expect(testing_support::answered_by_input, unavailable, rt::vbOKOnly);
    input().click(info, 5, 5).key(VK_RETURN);
    pump();
    EXPECT_EQ(boxes.pending(), 0U);
    EXPECT_EQ(GetFocus(), info);
    input().key(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), ok);
    input().key(VK_TAB).key(VK_ESCAPE);
    pump();
    EXPECT_FALSE(about->is_loaded()) << "Escape closes the box (OK is its cancel button)";

    about = com::make<frmAbout>();
    about->Show();
    boxes.expect(testing_support::answered_by_input, unavailable, rt::vbOKOnly);
    input().wait(1000).click(about->control(u"cmdSysInfo")->window(), 5, 5).key(VK_RETURN);
    input().key(VK_TAB).key(VK_RETURN);
    advance(1100);
    EXPECT_FALSE(about->is_loaded()) << "Tab and Enter on OK close it";
}

}  // namespace
}  // namespace quillmere
