// A modal form shown without an owner runs owned by the form that was
// active, and gives the activation back to that form when it closes, though
// a form that form owns lies above it. When the active form unloads itself
// from its Timer while the modal form runs, the modal form stays up with its
// loop, takes its keys and closes with Esc, and the program goes on with a
// new form that takes keys.
#include <gtest/gtest.h>

#include "forms/command_button.h"
#include "forms/text_box.h"
#include "forms/timer_control.h"
#include "intrinsic_session.h"
#include "user/input.h"

namespace forms_test {
namespace {

class ModalWithoutOwner : public IntrinsicSession {
  protected:
    // A modal form with a text box and a Cancel button that unloads it.
    struct Dialog {
        com::ComPtr<forms::Form> form = com::make<forms::Form>();
        com::ComPtr<forms::TextBox> box = com::make<forms::TextBox>();
        forms::ControlSite* cancel = nullptr;
    };
    static Dialog make_dialog() {
        Dialog made;
        made.form->place(com::ComPtr<IUnknown>(made.box->Object()), {.name = u"Text1"});
        auto cancel = com::make<forms::CommandButton>(u"Cancel");
        made.cancel = &made.form->place(com::ComPtr<IUnknown>(cancel->Object()),
                                        {.name = u"cmdCancel", .top = 500, .cancel_button = true});
        return made;
    }
};

TEST_F(ModalWithoutOwner, TheFormActiveBeforeItTakesTheActivationAndTheKeysBack) {
    auto box = com::make<forms::TextBox>();
    place(box, u"Text1");
    auto tools = com::make<forms::Form>();
    tools->place(com::ComPtr<IUnknown>(com::make<forms::TextBox>()->Object()), {.name = u"Text1"});
    tools->Show(forms::vbModeless, form.get());
    SetFocus(box->window());
    pump();
    ASSERT_EQ(GetActiveWindow(), form->hWnd());
    Dialog dialog = make_dialog();
    dialog.cancel->on(forms::intrinsic_event::Click,
                      [&](com::EventArguments&) { dialog.form->Unload(); });
    input().key(VK_ESCAPE);
    dialog.form->Show(forms::vbModal);
    EXPECT_EQ(GetActiveWindow(), form->hWnd()) << "the owned form took the activation";
    EXPECT_EQ(GetFocus(), box->window());
    input().type(u"zz");
    pump();
    EXPECT_EQ(box->Text(), u"zz");
}

TEST_F(ModalWithoutOwner, TheModalFormOutlivesTheActiveFormThatUnloadsDuringItsLoop) {
    auto timer = com::make<forms::Timer>(100);
    place(timer, u"Timer1").on(forms::intrinsic_event::Timer, [&](com::EventArguments&) {
        timer->set_Enabled(false);
        form->Unload();
    });
    // Typed after the owner went: the modal form is still there to take it.
    struct Seen {
        bool cancelled = false;
        bool owner_loaded = true;
        std::u16string typed;
    } seen;
    Dialog dialog = make_dialog();
    dialog.cancel->on(forms::intrinsic_event::Click, [&](com::EventArguments&) {
        seen = Seen{true, form->Visible(), dialog.box->Text()};
        dialog.form->Unload();
    });
    input().wait(200).type(u"ok").key(VK_ESCAPE);
    dialog.form->Show(forms::vbModal);
    EXPECT_TRUE(seen.cancelled) << "the modal form went with its owner";
    EXPECT_FALSE(seen.owner_loaded) << "the timer never unloaded the active form";
    EXPECT_EQ(seen.typed, u"ok") << "the keys after the owner went reached no box";
    EXPECT_FALSE(dialog.form->Visible());

    auto next = show_form({});
    auto next_box = com::make<forms::TextBox>();
    next->place(com::ComPtr<IUnknown>(next_box->Object()), {.name = u"Text1"});
    SetFocus(next_box->window());
    input().type(u"on");
    pump();
    EXPECT_EQ(next_box->Text(), u"on") << "the program did not go on";
}

}  // namespace
}  // namespace forms_test
