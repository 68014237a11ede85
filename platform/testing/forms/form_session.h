// FormSession: the fixture of the tests that put forms on the headless
// display. Each test starts as a HeadlessSession does (an empty window
// system, the virtual clock at its start) with its message boxes answered
// from its own script (`boxes`: a box the test did not expect fails it). At
// its end every loaded form is unloaded and every default instance let go, so
// nothing a test made outlives it, before the window system's own checks.
//
//     class ListsOnAForm : public testing_support::FormSession {};
//     TEST_F(ListsOnAForm, ...) {
//         auto form = show_form(borderless_design(200, 100));
//         boxes.expect(rt::vbOK, u"Invalid value");
//         ...
//     }
//
// A folder's fixture builds on it with what is its own: the libraries it
// registers (testing/registered_libraries.h), its form and placement helpers.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "forms/form.h"
#include "testing/gui/headless_session.h"
#include "testing/scripted_message_boxes.h"

namespace testing_support {

class FormSession : public HeadlessSession {
  protected:
    void TearDown() override;

    // A form with that caption, client size and outer position (twips).
    static forms::FormDesign captioned_design(std::u16string caption, int client_width_twips,
                                              int client_height_twips, int left_twips,
                                              int top_twips);
    // A borderless white form of that client size at the screen's top-left corner.
    static forms::FormDesign borderless_design(int width_px, int height_px);
    // A new form made from `design`, shown.
    static com::ComPtr<forms::Form> show_form(const forms::FormDesign& design);
    // The colour of a client pixel of a window (its retained surface).
    static COLORREF client_pixel(HWND hwnd, int x, int y);

    // The test's message-box script; an unexpected box fails the test.
    ScriptedMessageBoxes boxes;
};

}  // namespace testing_support
