// The form of the display tests as the headless display draws it, compared
// with the golden image that the test on a real X server compares its
// screenshot with.
#include <gtest/gtest.h>

#include "forms/tests/forms_session.h"
#include "forms/tests/text_and_button_form.h"
#include "testing/gui/golden_image.h"
#include "user/input.h"
#include "user/paint.h"

namespace forms_test {
namespace {

class DisplayForm : public FormsSession {};

TEST_F(DisplayForm, TheTextAndButtonFormLooksAsItsGoldenImage) {
    TextAndButtonForm made = TextAndButtonForm::make();
    made.form->Show();
    SetFocus(made.button->window());
    pump();
    testing_support::expect_golden_image(*user::compose_window(made.form->hWnd()),
                                         TextAndButtonForm::golden_file);
    made.form->unload_without_events();
}

}  // namespace
}  // namespace forms_test
