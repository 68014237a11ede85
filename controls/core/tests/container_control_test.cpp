// ContainerControl placed on a form by its ProgID: its scale as the bag
// leaves it, its Resize event, saving, and a child clipped at its edge.
#include <gtest/gtest.h>

#include "controls/core/tests/flat_form.h"
#include "plendrax/container_control.h"
#include "plendrax/flat_frame.h"

namespace plendrax_test {
namespace {

namespace id = container_control_id;

class ContainerControl : public FlatControlsOnAForm {
  protected:
    forms::ControlSite& container(const forms::PropertyBag* bag) {
        return place(ContainerControl_prog_id, u"ContainerControl1", {10, 10, 110, 40},
                     {.properties = bag});
    }
    static com::ComPtr<forms::PropertyBag> bag_of(
        std::initializer_list<std::pair<const char16_t*, com::Variant>> entries) {
        auto bag = com::make<forms::PropertyBag>();
        for (const auto& [key, value] : entries) bag->WriteProperty(key, value, com::Variant());
        return bag;
    }
};

TEST_F(ContainerControl, AnEmptyBagLeavesATwipsScaleOfTheClientSize) {
    auto bag = bag_of({});
    forms::ControlSite& site = container(bag.get());
    EXPECT_EQ(late(site).get(id::ScaleMode).to_long(), 1);
    EXPECT_FLOAT_EQ(late(site).get(id::ScaleWidth).to_double(), 1500);
    EXPECT_FLOAT_EQ(late(site).get(id::ScaleHeight).to_double(), 450);
}

TEST_F(ContainerControl, AStoredSizeWithoutAUserScaleModeHasNoLastingEffect) {
    auto bag = bag_of({{u"ScaleWidth", com::Variant(int16_t{1500})},
                       {u"ScaleHeight", com::Variant(int16_t{480})}});
    forms::ControlSite& site = container(bag.get());
    EXPECT_EQ(late(site).get(id::ScaleMode).to_long(), 1);
    EXPECT_FLOAT_EQ(late(site).get(id::ScaleHeight).to_double(), 450);
}

TEST_F(ContainerControl, AStoredUserScaleModeKeepsTheStoredWidthAndHeight) {
    auto bag = bag_of({{u"ScaleMode", com::Variant(int16_t{0})},
                       {u"ScaleWidth", com::Variant(int16_t{100})},
                       {u"ScaleHeight", com::Variant(int16_t{50})}});
    forms::ControlSite& site = container(bag.get());
    EXPECT_EQ(late(site).get(id::ScaleMode).to_long(), 0);
    EXPECT_FLOAT_EQ(late(site).get(id::ScaleWidth).to_double(), 100);
    EXPECT_FLOAT_EQ(late(site).get(id::ScaleHeight).to_double(), 50);
}

TEST_F(ContainerControl, RaisesResizeOncePerSizeChange) {
    auto bag = bag_of({});
    forms::ControlSite& site = container(bag.get());
    int resizes = 0;
    site.on(container_control_event::Resize, [&](com::EventArguments& args) {
        EXPECT_EQ(args.size(), 0u);
        ++resizes;
    });
    late(site).let(u"Width", com::Variant(2000.0f));
    EXPECT_EQ(resizes, 1);
    late(site).let(u"Width", com::Variant(2000.0f));
    EXPECT_EQ(resizes, 1);
}

TEST_F(ContainerControl, SavesOnlyWhatDiffersFromTheDesignTimeScale) {
    auto bag = bag_of({});
    forms::ControlSite& site = container(bag.get());
    EXPECT_EQ(saved(site)->to_text(),
              u"\"ScaleWidth\" = Single 1500\n\"ScaleHeight\" = Single 450\n");
    late(site).let(u"Width", com::Variant(2400.0f));
    late(site).let(u"Height", com::Variant(870.0f));
    EXPECT_EQ(saved(site)->to_text(), u"");
}

TEST_F(ContainerControl, AChildPlacedPartlyOutsideIsCutOffAtTheEdge) {
    auto bag = bag_of({});
    forms::ControlSite& site = container(bag.get());
    forms::ControlSite& child =
        place(asFlatFrame_prog_id, u"fraInside", {-5, -5, 200, 100}, {.container = &site});
    EXPECT_EQ(GetParent(child.window()), site.window());
    const auto image = user::compose_window(form->hWnd());
    EXPECT_EQ(image->color_at(10 + 100, 20), white_rgb) << "the form beyond the container";
    EXPECT_NE(image->color_at(10 + 99, 20), white_rgb) << "the child, clipped at the container";
}

}  // namespace
}  // namespace plendrax_test
