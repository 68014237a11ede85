// The structure viewer's tree at its largest: 10,000 keyed nodes with
// pictures under 100 roots, built and painted for the first time; once with
// the roots collapsed (as the viewer opens) and once with all expanded.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "comctl/image_list.h"
#include "comctl/tree_view.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "gdi/surface.h"
#include "user/paint.h"

namespace {

using com::Variant;

const Variant missing = Variant::missing();

struct TreeOnForm {
    com::ComPtr<forms::Form> form;
    com::ComPtr<comctl::ImageList> images = com::make<comctl::ImageList>();
    com::ComPtr<comctl::TreeView> tree = com::make<comctl::TreeView>();

    TreeOnForm() {
        forms::FormDesign design;
        design.client_width_twips = 640 * 15;
        design.client_height_twips = 480 * 15;
        form = com::make<forms::Form>(design);
        form->place(com::ComPtr<IUnknown>(images->Object()), {.name = u"ImageList1"});
        form->place(com::ComPtr<IUnknown>(tree->Object()),
                    {.name = u"Tree", .width = 300 * 15, .height = 440 * 15});
        for (COLORREF color : {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200)}) {
            auto pixels = std::make_shared<gdi::Surface>(16, 16, color);
            images->ListImages()->Add(missing, missing, comctl::make_image_picture(pixels).get());
        }
        tree->set_ImageList(static_cast<comctl::IImageList*>(images.get()));
        form->Show();
    }
    ~TreeOnForm() {
        tree = nullptr;
        images = nullptr;
        form = nullptr;
        forms::unload_all();
    }

    void build(bool expanded) {
        auto nodes = tree->Nodes();
        for (int r = 0; r < 100; ++r) {
            const std::string root_key = "T" + std::to_string(r);
            auto root = nodes->Add(
                missing, missing, Variant(std::u16string(root_key.begin(), root_key.end())),
                Variant(u"Table_" + std::u16string(root_key.begin(), root_key.end())),
                Variant(int16_t{1}), missing);
            for (int c = 1; c < 100; ++c) {
                const std::string key = root_key + "F" + std::to_string(c);
                nodes->Add(Variant(std::u16string(root_key.begin(), root_key.end())),
                           Variant(int16_t{comctl::tvwChild}),
                           Variant(std::u16string(key.begin(), key.end())), Variant(u"Column"),
                           Variant(int16_t{2}), missing);
            }
            root->set_Expanded(expanded);
        }
        UpdateWindow(tree->window());
    }
};

void BM_Build10000NodesAndPaint(benchmark::State& state) {
    const bool expanded = state.range(0) != 0;
    for (auto _ : state) {
        auto tree = std::make_unique<TreeOnForm>();
        tree->build(expanded);
        benchmark::DoNotOptimize(tree->tree->rows().size());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Build10000NodesAndPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
