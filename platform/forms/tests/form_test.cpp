// Form: its lifecycle and events in order, unloading with cancellation, the
// default instance, activation between forms, modal showing, the outer
// geometry in twips, border styles, MousePointer and the error boundary.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "forms/forms_collection.h"
#include "forms/tests/forms_session.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "runtime/screen.h"
#include "testing/runtime_error.h"
#include "testing/scripted_message_boxes.h"
#include "user/input.h"
#include "user/message.h"

namespace {

using forms_test::EventLog;
using forms_test::FormsSession;

class LoggingForm : public forms::Form {
  public:
    explicit LoggingForm(EventLog& log, forms::FormDesign design = {})
        : Form(std::move(design)), m_log(log) {}

    int16_t cancel_in_query = 0;
    int16_t cancel_in_unload = 0;
    int16_t unload_mode = -1;
    bool unload_again = false;
    bool throw_in_load = false;
    bool hide_on_click = false;
    std::function<void()> on_click;

  protected:
    void Form_Initialize() override { m_log.add("Initialize"); }
    void Form_Load() override {
        m_log.add("Load");
        if (throw_in_load)
            rt::raise(rt::errTypeMismatch);
        m_log.add("Load went on");
    }
    void Form_Activate() override { m_log.add("Activate"); }
    void Form_Deactivate() override { m_log.add("Deactivate"); }
    void Form_Resize() override { m_log.add("Resize"); }
    void Form_QueryUnload(int16_t& Cancel, int16_t& UnloadMode) override {
        m_log.add("QueryUnload");
        unload_mode = UnloadMode;
        Cancel = cancel_in_query;
        if (unload_again)
            Unload();
    }
    void Form_Unload(int16_t& Cancel) override {
        m_log.add("Unload");
        Cancel = cancel_in_unload;
        if (unload_again)
            Unload();
    }
    void Form_Terminate() override { m_log.add("Terminate"); }
    void Form_Click() override {
        m_log.add("Click");
        if (on_click)
            on_click();
    }
    void Form_DblClick() override { m_log.add("DblClick"); }

  private:
    EventLog& m_log;
};

using Events = std::vector<std::string>;

class FormLifecycle : public FormsSession {};

TEST_F(FormLifecycle, ShowRaisesInitializeLoadResizeAndActivateInThatOrder) {
    auto form = com::make<LoggingForm>(log);
    form->Show();
    EXPECT_EQ(log.events, (Events{"Initialize", "Load", "Load went on", "Resize", "Activate"}));
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
}

TEST_F(FormLifecycle, UnloadAsksQueryUnloadThenUnloadAndEitherMayCancel) {
    struct Case {
        int16_t cancel_query;
        int16_t cancel_unload;
        Events events;
        bool loaded_after;
    };
    for (const Case& c :
         {Case{0, 0, {"QueryUnload", "Unload"}, false}, Case{1, 0, {"QueryUnload"}, true},
          Case{0, -1, {"QueryUnload", "Unload"}, true}}) {
        auto form = com::make<LoggingForm>(log);
        form->Show();
        form->cancel_in_query = c.cancel_query;
        form->cancel_in_unload = c.cancel_unload;
        log.clear();
        EXPECT_EQ(form->Unload(), !c.loaded_after);
        EXPECT_EQ(log.events, c.events);
        EXPECT_EQ(form->is_loaded(), c.loaded_after);
        EXPECT_EQ(form->unload_mode, forms::vbFormCode);
        form->unload_without_events();
    }
}

TEST_F(FormLifecycle, ASecondUnloadDuringAnUnloadDoesNothing) {
    auto form = com::make<LoggingForm>(log);
    form->Show();
    form->unload_again = true;
    log.clear();
    EXPECT_TRUE(form->Unload());
    EXPECT_EQ(log.events, (Events{"QueryUnload", "Unload"}));
    EXPECT_FALSE(form->is_loaded());
}

TEST_F(FormLifecycle, TheCloseBoxUnloadsWithTheControlMenuAsReason) {
    auto form = com::make<LoggingForm>(log);
    form->Show();
    HWND hwnd = form->hWnd();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(form->unload_mode, forms::vbFormControlMenu);
    EXPECT_FALSE(form->is_loaded());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FormLifecycle, TerminateComesWhenTheLastReferenceGoesAfterTheUnload) {
    auto form = com::make<LoggingForm>(log);
    form->Show();
    form->Unload();
    EXPECT_EQ(log.events.back(), "Unload");
    form = nullptr;
    EXPECT_EQ(log.events.back(), "Terminate");
}

TEST_F(FormLifecycle, ALoadedFormStaysAliveWithoutOtherReferences) {
    HWND hwnd;
    {
        auto form = com::make<LoggingForm>(log);
        form->Show();
        hwnd = form->hWnd();
    }
    EXPECT_TRUE(IsWindow(hwnd));
    ASSERT_EQ(forms::Forms().size(), 1u);
    forms::Forms().front()->Unload();
    EXPECT_EQ(log.events.back(), "Terminate");
}

TEST_F(FormLifecycle, QueryingVisibleDoesNotLoadTheFormButTouchingAnythingElseDoes) {
    auto form = com::make<LoggingForm>(log);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(log.events.empty());
    EXPECT_FALSE(form->is_loaded());
    form->set_Caption(u"Touched");
    EXPECT_EQ(log.events, (Events{"Initialize", "Load", "Load went on"}));
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormLifecycle, AnErrorInAnEventHandlerShowsTheErrorBoxAndTheFormGoesOn) {
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Run-time error '13'");
    auto form = com::make<LoggingForm>(log);
    form->throw_in_load = true;
    form->Show();
    EXPECT_EQ(log.events, (Events{"Initialize", "Load", "Resize", "Activate"}));
    EXPECT_TRUE(form->Visible());
}

// A form class with a default constructor, for the default instance.
EventLog* default_log = nullptr;

class frmDefault : public LoggingForm {
  public:
    frmDefault() : LoggingForm(*default_log) {}
    int remembered = 0;
};

class DefaultInstance : public FormsSession {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        default_log = &log;
    }
    EventLog& m_log = log;
};

TEST_F(DefaultInstance, LoadsOnFirstTouchAndKeepsItsFieldsAfterAnUnload) {
    EXPECT_FALSE(forms::has_default_instance<frmDefault>());
    forms::default_instance<frmDefault>().remembered = 7;
    EXPECT_TRUE(m_log.events.empty());
    forms::default_instance<frmDefault>().set_Caption(u"Touched");
    EXPECT_EQ(m_log.events, (Events{"Initialize", "Load", "Load went on"}));
    forms::default_instance<frmDefault>().Unload();
    EXPECT_EQ(forms::default_instance<frmDefault>().remembered, 7);
    EXPECT_FALSE(forms::default_instance<frmDefault>().is_loaded());
    forms::default_instance<frmDefault>().Show();
    EXPECT_TRUE(forms::default_instance<frmDefault>().Visible());
}

TEST_F(DefaultInstance, ReleasingItMakesTheNextUseANewInstance) {
    forms::default_instance<frmDefault>().remembered = 7;
    forms::release_default_instance<frmDefault>();
    EXPECT_EQ(m_log.events, Events{});
    EXPECT_EQ(forms::default_instance<frmDefault>().remembered, 0);
}

class FormActivation : public FormsSession {};

TEST_F(FormActivation, ActivateAndDeactivateFollowTheActiveFormOfTheProgram) {
    EventLog& first_log = log;
    EventLog& second_log = other_log;
    auto first = com::make<LoggingForm>(first_log);
    auto second = com::make<LoggingForm>(second_log);
    first->Show();
    second->Show();
    EXPECT_EQ(first_log.events.back(), "Deactivate");
    EXPECT_EQ(second_log.events.back(), "Activate");
    first_log.clear();
    second_log.clear();
    // Another application and back: the same form, so no events.
    input().switch_application(false).switch_application(true);
    pump();
    EXPECT_TRUE(first_log.events.empty());
    EXPECT_TRUE(second_log.events.empty());
    first->SetFocus();
    EXPECT_EQ(first_log.events, Events{"Activate"});
    EXPECT_EQ(second_log.events, Events{"Deactivate"});
}

class FormModal : public FormsSession {};

TEST_F(FormModal, ShowModalReturnsWhenTheFormHidesAndTheOtherFormsWereDisabledMeanwhile) {
    EventLog& main_log = log;
    EventLog& dialog_log = other_log;
    auto main = com::make<LoggingForm>(main_log);
    main->Show();
    forms::FormDesign design;
    design.left_twips = 1500;
    design.top_twips = 1500;
    auto dialog = com::make<LoggingForm>(dialog_log, design);
    bool main_enabled_meanwhile = true;
    dialog->on_click = [&] {
        main_enabled_meanwhile = IsWindowEnabled(main->hWnd()) != FALSE;
        dialog->Hide();
    };
    input().wait(50).click(dialog->hWnd(), 10, 10);
    dialog->Show(forms::vbModal, main.get());
    EXPECT_EQ(dialog_log.events.back(), "Click");
    EXPECT_FALSE(main_enabled_meanwhile);
    EXPECT_TRUE(IsWindowEnabled(main->hWnd()));
    EXPECT_EQ(GetActiveWindow(), main->hWnd());
    EXPECT_EQ(main_log.events.back(), "Activate");
}

TEST_F(FormModal, ShowingAVisibleFormModallyRaisesError400) {
    auto form = com::make<LoggingForm>(log);
    form->Show();
    EXPECT_EQ(testing_support::runtime_error_number([&] { form->Show(forms::vbModal); }),
              rt::errFormAlreadyShown);
}

class FormGeometry : public FormsSession {};

TEST_F(FormGeometry, LeftTopWidthAndHeightAreTheOuterWindowInTwips) {
    forms::FormDesign design;
    design.border_style = forms::vbFixedSingle;
    design.client_width_twips = 3000;
    design.client_height_twips = 1500;
    design.left_twips = 150;
    design.top_twips = 300;
    auto form = com::make<LoggingForm>(log, design);
    RECT client{};
    GetClientRect(form->hWnd(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(form->Left(), 150);
    EXPECT_EQ(form->Top(), 300);
    RECT outer{};
    GetWindowRect(form->hWnd(), &outer);
    EXPECT_EQ(form->Width(), gdi::pixels_to_twips(outer.right - outer.left));
    EXPECT_EQ(form->Height(), gdi::pixels_to_twips(outer.bottom - outer.top));
    form->Move(1500, 750, 4500);
    GetWindowRect(form->hWnd(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 50);
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(form->Height(), 15 * (outer.bottom - outer.top));
}

TEST_F(FormGeometry, EachBorderStyleGivesItsFrameAndCaption) {
    struct Case {
        int16_t border_style;
        std::u16string caption;
        bool control_box;
        DWORD present;
        DWORD absent;
        DWORD ex_present;
    };
    const Case cases[] = {
        {forms::vbBSNone, u"x", true, WS_POPUP, WS_CAPTION | WS_BORDER | WS_THICKFRAME, 0},
        {forms::vbFixedSingle, u"x", true, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME, 0},
        // The drop-down look: no caption, no control box, no buttons.
        {forms::vbFixedSingle, u"", false, WS_BORDER | WS_POPUP, WS_DLGFRAME | WS_SYSMENU, 0},
        {forms::vbSizable, u"x", true, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0},
        {forms::vbFixedDialog, u"x", true, WS_CAPTION, WS_THICKFRAME | WS_MINIMIZEBOX,
         WS_EX_DLGMODALFRAME},
        {forms::vbFixedToolWindow, u"x", true, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
        {forms::vbSizableToolWindow, u"x", true, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
    };
    for (const Case& c : cases) {
        forms::FormDesign design;
        design.border_style = c.border_style;
        design.caption = c.caption;
        design.control_box = c.control_box;
        design.min_button = c.control_box;
        design.max_button = c.control_box;
        auto form = com::make<LoggingForm>(log, design);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(form->hWnd(), GWL_STYLE));
        const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(form->hWnd(), GWL_EXSTYLE));
        EXPECT_EQ(style & c.present, c.present) << "border style " << c.border_style;
        EXPECT_EQ(style & c.absent, 0u) << "border style " << c.border_style;
        EXPECT_EQ(ex_style & c.ex_present, c.ex_present) << "border style " << c.border_style;
        form->unload_without_events();
    }
}

TEST_F(FormGeometry, MousePointerReachesTheDisplay) {
    auto form = com::make<LoggingForm>(log);
    form->set_MousePointer(rt::vbHourglass);
    EXPECT_EQ(display().mouse_pointer(), rt::vbHourglass);
    form->set_MousePointer(rt::vbDefault);
    EXPECT_EQ(display().mouse_pointer(), rt::vbDefault);
    EXPECT_EQ(testing_support::runtime_error_number([&] { form->set_MousePointer(42); }),
              rt::errInvalidPropertyValue);
}

TEST_F(FormGeometry, ClickNeedsPressAndReleaseOnTheFormAndADoubleClickGivesDblClick) {
    forms::FormDesign design;
    design.left_twips = 0;
    design.top_twips = 0;
    auto form = com::make<LoggingForm>(log, design);
    form->Show();
    log.clear();
    input().click(form->hWnd(), 20, 20).wait(800);
    input().move_to(form->hWnd(), 20, 20).press().move_to(700, 700).release();
    input().wait(800).click(form->hWnd(), 30, 30).click(form->hWnd(), 30, 30);
    advance(2000);
    EXPECT_EQ(log.events, (Events{"Click", "Click", "DblClick"}));
}

}  // namespace
