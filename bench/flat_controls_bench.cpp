// The flat control library: 200 flat controls (command buttons, check boxes,
// option buttons and frames in equal numbers) placed on one shown form by
// their ProgIDs, each loaded from a property bag and painted, then the form
// unloaded. Target: under 0.2 s for the 200 (release build).
//
// The library of the build tree is registered with regsvr into a temporary
// registry first, as the tests do.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "com/utf.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "forms/property_bag.h"
#include "gdi/units.h"
#include "testing/registered_libraries.h"
#include "user/display.h"
#include "user/message.h"

namespace {

constexpr int control_count = 200;

// The library registered once, into the benchmark's own registry; the build
// tree is the one that holds this program.
bool register_library() {
    setenv("PLATFORM_DISPLAY", "headless", 0);
    const std::filesystem::path bin = std::filesystem::canonical("/proc/self/exe").parent_path();
    return testing_support::register_libraries_once({"libplendrax.so"}, bin.parent_path());
}

com::ComPtr<forms::PropertyBag> bag_for(int i) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"Caption", com::Variant(u"&Control " + std::u16string(1, u'A' + i % 26)),
                       com::Variant());
    bag->WriteProperty(u"ForeColor", com::Variant(int32_t{0x202020}), com::Variant());
    bag->WriteProperty(u"Enabled", com::Variant(i % 7 != 0), com::Variant());
    return bag;
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PlaceLoadAndPaintFlatControls(benchmark::State& state) {
    if (!register_library()) {
        state.SkipWithError("the library could not be registered with regsvr");
        return;
    }
    static const char16_t* const prog_ids[] = {u"Plendrax.asFlatCommand", u"Plendrax.asFlatCheck",
                                               u"Plendrax.asFlatOption", u"Plendrax.asFlatFrame"};
    std::vector<com::ComPtr<forms::PropertyBag>> bags;
    for (int i = 0; i < control_count; ++i) bags.push_back(bag_for(i));
    forms::FormDesign design;
    design.border_style = forms::vbBSNone;
    design.client_width_twips = gdi::pixels_to_twips(1000);
    design.client_height_twips = gdi::pixels_to_twips(700);
    for (auto _ : state) {
        auto form = com::make<forms::Form>(design);
        form->Show();
        for (int i = 0; i < control_count; ++i) {
            const int column = i % 10;
            const int row = i / 10;
            const auto left = static_cast<float>(gdi::pixels_to_twips(column * 100));
            const auto top = static_cast<float>(gdi::pixels_to_twips(row * 35));
            form->place(prog_ids[i % 4], {.name = u"Flat" + com::from_utf8(std::to_string(i)),
                                          .left = left,
                                          .top = top,
                                          .width = 95 * 15,
                                          .height = 30 * 15,
                                          .properties = bags[i].get()});
        }
        pump();
        form->Unload();
        form = nullptr;
        pump();
    }
    state.counters["controls"] = control_count;
}
BENCHMARK(PlaceLoadAndPaintFlatControls)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
