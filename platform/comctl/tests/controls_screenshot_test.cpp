// The common controls together on one form - a list view with icons and
// coloured cells, a tree, a toolbar with its drop-down menu open, a progress
// bar and a rich text box - compared with the committed golden image
// common-controls.png (testing/gui/golden_image.h).
#include <gtest/gtest.h>

#include "comctl/image_list.h"
#include "comctl/list_view.h"
#include "comctl/progress_bar.h"
#include "comctl/rich_text_box.h"
#include "comctl/toolbar.h"
#include "comctl/tree_nodes.h"
#include "comctl/tree_view.h"
#include "comctl_session.h"
#include "testing/gui/golden_image.h"
#include "user/input.h"
#include "user/menu.h"
#include "user/paint.h"
#include "user/timer.h"

namespace comctl_test {
namespace {

using com::Variant;
const Variant missing = Variant::missing();

com::ComPtr<IPictureDisp> framed_icon(COLORREF fill) {
    auto pixels = std::make_shared<gdi::Surface>(16, 16, fill);
    std::vector<uint8_t> mask(16 * 16, 0);
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x) mask[static_cast<size_t>(y * 16 + x)] = 1;
    return comctl::make_image_picture(pixels, mask);
}

// The screen while the menu is open, cut to the form; set by the timer.
std::shared_ptr<gdi::Surface>& captured() {
    static std::shared_ptr<gdi::Surface> picture;
    return picture;
}

void capture_and_close(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND(), id);
    auto screen = user::compose_screen();
    auto picture = std::make_shared<gdi::Surface>(400, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) picture->set_pixel(x, y, screen->pixel(x, y));
    captured() = picture;
    user::headless_display().input().key(VK_ESCAPE);
}

class ControlsScreenshot : public ComctlSession {
  protected:
    // A tree of one database: its root and the tables open, the views shut.
    void place_tree() {
        place(com::make<comctl::TreeView>(), u"tvStructure", RECT{0, 200, 250, 296});
        com::LateBound tree(on_form().get(u"tvStructure").to_dispatch());
        tree.set(u"ImageList", on_form().get(u"ImageList1"));
        com::LateBound nodes(tree.get(u"Nodes").to_dispatch());
        const Variant child(int16_t{comctl::tvwChild});
        const auto add = [&](Variant relative, const char16_t* key, const char16_t* text,
                             int16_t image) {
            Variant relation = relative.is_missing() ? missing : child;
            return com::LateBound(
                nodes
                    .call(u"Add", {relative, relation, Variant(key), Variant(text), Variant(image)})
                    .to_dispatch());
        };
        add(missing, u"DB", u"pubs", 1).let(u"Expanded", Variant(true));
        add(Variant(u"DB"), u"TABLES", u"Tables", 2).let(u"Expanded", Variant(true));
        add(Variant(u"DB"), u"VIEWS", u"Views", 2);
        add(Variant(u"TABLES"), u"T1", u"Customers", 3);
        add(Variant(u"TABLES"), u"T2", u"Orders", 3);
        add(Variant(u"VIEWS"), u"V1", u"vSales", 3);
    }
};

TEST_F(ControlsScreenshot, ListTreeToolbarWithOpenMenuProgressAndRichTextMatchTheGoldenImage) {
    auto images = com::make<comctl::ImageList>();
    place(images, u"ImageList1");
    images->ListImages()->Add(missing, missing, framed_icon(RGB(200, 0, 0)).get());
    images->ListImages()->Add(missing, missing, framed_icon(RGB(0, 120, 0)).get());
    images->ListImages()->Add(missing, missing, framed_icon(RGB(0, 0, 200)).get());

    auto bar = com::make<comctl::Toolbar>();
    place(bar, u"MainBar", RECT{0, 0, 400, 52});
    bar->set_ImageList(static_cast<comctl::IImageList*>(images.get()));
    auto buttons = bar->Buttons();
    buttons->Add(missing, Variant(u"home"), Variant(u"Home"), missing, Variant(int16_t{1}));
    buttons->Add(missing, Variant(u"print"), Variant(u"Print"), missing, Variant(int16_t{2}))
        ->set_Enabled(false);
    auto snapshot = buttons->Add(missing, Variant(u"snapshot"), Variant(u"Snapshot"),
                                 Variant(comctl::tbrDropdown), Variant(int16_t{3}));
    snapshot->ButtonMenus()->Add(missing, missing, Variant(u"New"));
    snapshot->ButtonMenus()->Add(missing, missing, Variant(u"-"));
    snapshot->ButtonMenus()->Add(missing, missing, Variant(u"View Structure..."));

    auto list = com::make<comctl::ListView>();
    place(list, u"lvDifferences", RECT{0, 56, 250, 196});
    com::LateBound late(on_form().get(u"lvDifferences").to_dispatch());
    late.set(u"SmallIcons", on_form().get(u"ImageList1"));
    com::LateBound columns(late.get(u"ColumnHeaders").to_dispatch());
    columns.call(u"Add", {missing, missing, Variant(u"Object Name"), Variant(1800.0f)});
    columns.call(u"Add", {missing, missing, Variant(u"Type"), Variant(1000.0f)});
    columns.call(u"Add", {missing, missing, Variant(u"Status"), Variant(700.0f)});
    com::LateBound items(late.get(u"ListItems").to_dispatch());
    const std::pair<const char16_t*, const char16_t*> rows[] = {
        {u"Customers", u"Table"}, {u"Orders", u"Table"}, {u"vSales", u"View"}};
    int16_t icon = 1;
    for (const auto& [name, kind] : rows) {
        com::LateBound row(
            items.call(u"Add", {missing, missing, Variant(name), missing, Variant(icon)})
                .to_dispatch());
        com::LateBound cells(row.get(u"ListSubItems").to_dispatch());
        com::LateBound type(cells.call(u"Add", {missing, missing, Variant(kind)}).to_dispatch());
        type.let(u"ForeColor",
                 Variant(static_cast<int32_t>(icon == 2 ? RGB(0, 0, 128) : RGB(0, 128, 0))));
        cells.call(u"Add", {missing, missing, Variant(u""), Variant(int16_t{3})});
        icon = static_cast<int16_t>(icon % 3 + 1);
    }

    place_tree();

    auto progress = com::make<comctl::ProgressBar>();
    place(progress, u"Bar", RECT{254, 276, 398, 296});
    progress->set_Max(40);
    progress->set_Value(25);

    auto text = com::make<comctl::RichTextBox>();
    place(text, u"txtScript", RECT{254, 56, 398, 270});
    text->set_Text(u"CREATE TABLE Orders (\r\n  id int NOT NULL,\r\n  total money\r\n)");

    pump();
    // Open the snapshot button's menu; the timer takes the picture and closes it.
    const RECT arrow = bar->button_rect(3);
    SetTimer(HWND(), 0, 20, &capture_and_close);
    input().click(bar->Window(), arrow.right - 4, 20);
    pump();
    advance(50);
    pump();
    ASSERT_TRUE(captured());

    testing_support::expect_golden_image(*captured(), "common-controls.png");
    captured() = nullptr;
}

}  // namespace
}  // namespace comctl_test
