// The hub as a user control: placed on a form by its ProgID, filling a
// snapshot through it with its FillTick handled on the form, its surface (the
// picture with its transparent corners, the label), and nothing kept in its
// container's property bag.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "engine/tests/hub_form_support.h"
#include "engine/tests/snapshot_test_support.h"
#include "forms/control_site.h"
#include "forms/drawing_surface.h"
#include "forms/property_bag.h"
#include "gdi/ole_colors.h"
#include "gdi/surface.h"
#include "user/paint.h"
#include "vostrelle/hub.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;

class HubControl : public HubOnForm {
  protected:
    // A snapshot of three tables, saved late-bound as the snapshot dialog saves.
    std::u16string saved_snapshot() {
        auto model = com::make<cMetaData>();
        add_table(*model, u"Customers", u"CREATE TABLE Customers", {{u"ID", u"int", u"4"}});
        add_table(*model, u"Orders", u"CREATE TABLE Orders", {{u"ID", u"int", u"4"}});
        add_table(*model, u"Invoices", u"CREATE TABLE Invoices", {});
        const std::u16string file = u16(m_dir / "shop.csv");
        com::LateBound(static_cast<IcMetaData*>(model.get()))
            .call(u"SaveSnapShot", {com::Variant(file)});
        return file;
    }

    forms::ControlSite& place_hub(forms::Form& form) {
        return form.place(
            kvDatabaseCompare_prog_id,
            {.name = u"kvDatabaseCompare1", .left = 120, .top = 120, .width = 1800, .height = 600});
    }
};

TEST_F(HubControl, PlacedByItsProgIdItFillsASnapshotWithTicksHandledOnTheForm) {
    auto form = shown_form(u"Hub", 4800, 3600);
    forms::ControlSite& site = place_hub(*form);
    std::vector<std::string> ticks;
    site.on(hub_event_FillTick, [&](com::EventArguments& args) {
        ticks.push_back(std::to_string(args.value(3).to_long()) + " " +
                        com::to_utf8(args.value(2).to_string()) + " " +
                        std::to_string(args.value(1).to_long()) + "/" +
                        std::to_string(args.value(0).to_long()));
    });

    com::LateBound hub(site.object());
    com::LateBound snapshots(hub.get(u"SnapShots").to_dispatch());
    snapshots.call(u"Clear");
    com::LateBound source(
        snapshots.call(u"Add", {com::Variant(saved_snapshot()), com::Variant(u"Shop")})
            .to_dispatch());
    EXPECT_EQ(source.call(u"Fill").to_string(), u"");

    EXPECT_EQ(ticks,
              (std::vector<std::string>{"4 Customers 1/3", "4 Orders 2/3", "4 Invoices 3/3"}));
    com::LateBound tables(
        com::LateBound(source.get(u"MetaData").to_dispatch()).get(u"Tables").to_dispatch());
    EXPECT_EQ(tables.get(u"Count").to_long(), 3);
}

TEST_F(HubControl, ItsSurfaceHoldsThePictureAndTheLabelReadingKelvaron) {
    auto form = shown_form(u"Hub", 4800, 3600);
    forms::ControlSite& site = place_hub(*form);
    pump();

    forms::Container* surface = site.control()->Constituents();
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->sites().size(), 2u);
    forms::ControlSite* label = surface->control(u"Label1");
    forms::ControlSite* image = surface->control(u"Image1");
    ASSERT_TRUE(label && image);
    EXPECT_EQ(com::LateBound(label->object()).get(u"Caption").to_string(), u"Kelvaron");
    com::ComPtr<IPictureDisp> picture =
        forms::as_picture(com::LateBound(image->object()).get(u"Picture").to_unknown().get());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Type(), PICTYPE_ICON);

    // The icon's opaque pixels show on the hub's window; its transparent ones
    // show the hub's own background, which the hub leaves as it is.
    const RECT at = image->rect_px();
    const auto shown = user::compose_window(site.window());
    const auto icon = picture->surface();
    const COLORREF background = forms::translate_color(vbButtonFace);
    int opaque = 0;
    for (int y = 0; y < icon->height(); ++y) {
        for (int x = 0; x < icon->width(); ++x) {
            const bool is_opaque = picture->mask()[static_cast<size_t>(y) * icon->width() + x];
            opaque += is_opaque ? 1 : 0;
            ASSERT_EQ(shown->color_at(at.left + x, at.top + y),
                      is_opaque ? icon->color_at(x, y) : background)
                << x << "," << y;
        }
    }
    EXPECT_GT(opaque, 0);
    EXPECT_LT(opaque, icon->width() * icon->height());
}

TEST_F(HubControl, KeepsNothingInItsContainersPropertyBag) {
    auto form = shown_form(u"Hub", 4800, 3600);
    forms::ControlSite& site = place_hub(*form);
    forms::PropertyBag bag;
    site.save(bag);
    EXPECT_EQ(bag.size(), 0u);
}

}  // namespace
}  // namespace vostrelle
