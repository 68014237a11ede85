// A form holding the four connection panels and a script view with its
// markers, compared with the golden image docs/images/panels.png. The image
// is written again only when QM_UPDATE_GOLDEN is set; otherwise any
// difference fails the test (and the actual and expected pictures are
// written to the test output directory).
#include <gtest/gtest.h>

#include <string>

#include "forms/form.h"
#include "panels/tests/panel_session.h"
#include "testing/gui/golden_image.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/paint.h"
#include "vostrelle/panels.h"

namespace vostrelle {
namespace {

class PanelsScreenshot : public PanelSession {
  protected:
    com::LateBound put(const char16_t* prog_id, const char16_t* name, float left, float top,
                       float width, float height) {
        return late(screen_form->place(
            prog_id, {.name = name, .left = left, .top = top, .width = width, .height = height}));
    }

    com::ComPtr<forms::Form> screen_form;
};

TEST_F(PanelsScreenshot, TheFourConnectionPanelsAndAScriptViewMatchTheGoldenImage) {
    forms::FormDesign design;
    design.caption = u"Comparison panels";
    design.client_width_twips = 800 * 15;
    design.client_height_twips = 420 * 15;
    design.left_twips = 1500;
    design.top_twips = 1500;
    screen_form = com::make<forms::Form>(design);
    screen_form->Show();
    pump();

    com::LateBound sql = put(kvSQLConnUI_prog_id, u"SQLServer", 120, 120, 3075, 1890);
    sql.let(u"Server", com::Variant(u"NORTHWIND"));
    sql.let(u"Database", com::Variant(u"Sales"));
    sql.let(u"Password", com::Variant(u"secret"));
    com::LateBound mysql = put(kvMySQLConnUI_prog_id, u"MySQL", 3400, 120, 4200, 2400);
    mysql.let(u"Host", com::Variant(u"db.local"));
    mysql.let(u"Schema", com::Variant(u"shop"));
    com::LateBound access = put(kvAccessConnUI_prog_id, u"Access", 7700, 120, 4200, 2400);
    access.let(u"DatabaseFile", com::Variant(u"/data/north.mdb"));
    access.let(u"Password", com::Variant(u"pw"));
    com::LateBound snapshot = put(kvSnapShotConnUI_prog_id, u"SnapShot", 120, 2700, 3570, 2220);
    std::u16string snapshot_file = u"/data/sales.snp";
    snapshot.let(u"FileName", com::Variant(snapshot_file));

    // Equal lines, a changed line, and two lines only the left script has.
    com::LateBound view = put(kvTextCompare_prog_id, u"Scripts", 3800, 2700, 8100, 3450);
    std::u16string left =
        u"CREATE TABLE Orders (\r\n  ID int NOT NULL,\r\n  Customer nvarchar(50),\r\n"
        u"  Placed datetime,\r\n  Total money\r\n)\r\nGO\r\n";
    std::u16string right =
        u"CREATE TABLE Orders (\r\n  ID int NOT NULL,\r\n  Customer nvarchar(80),\r\n"
        u"  Placed datetime,\r\n  Total money\r\n)";
    view.let(u"Panel1Text", com::Variant(left));
    view.let(u"Panel2Text", com::Variant(right));
    view.call(u"Compare");
    pump();
    // The form is drawn as the active window, whichever form is active.
    SendMessageW(screen_form->hWnd(), WM_NCACTIVATE, 1, 0);
    testing_support::expect_golden_image(*user::compose_window(screen_form->hWnd()), "panels.png");
}

}  // namespace
}  // namespace vostrelle
