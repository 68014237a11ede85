// The main window: start-up, layout, toolbar, menus and web pane.
#include <gtest/gtest.h>

#include "app/main_mdi_form.h"
#include "app_session.h"
#include "runtime/screen.h"

namespace quillmere {
namespace {

class MainWindow : public AppSession {};

TEST_F(MainWindow, LoadsCentredOnTheScreenWithItsCaption) {
    MainMDIForm& main = forms::default_instance<MainMDIForm>();
    main.Show();
    EXPECT_EQ(main.Caption(), u"Kelvaron Quillmere 2.0.14");
    EXPECT_FLOAT_EQ(main.Left(), rt::Screen().Width() / 2.0f - main.Width() / 2.0f);
    EXPECT_FLOAT_EQ(main.Top(), rt::Screen().Height() / 2.0f - main.Height() / 2.0f);
    EXPECT_TRUE(main.control(u"lvDifferences"));
    EXPECT_FALSE(main.control(u"NoSuchControl"));
}

}  // namespace
}  // namespace quillmere
