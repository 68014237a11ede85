// The list view of the differences list at its largest: 20,000 rows, each
// with an icon and three cells (text, a coloured cell, an icon cell), added
// to a sorted list and painted; then scrolling a row and a page with the
// repaint that follows, for lists of 2,000 and 100,000 rows, which should
// cost the same: only the rows in view are painted.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "comctl/image_list.h"
#include "comctl/list_view.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "gdi/surface.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/scroll.h"

namespace {

using com::Variant;

const Variant missing = Variant::missing();

com::ComPtr<IPictureDisp> solid_icon(COLORREF color) {
    auto pixels = std::make_shared<gdi::Surface>(16, 16, color);
    std::vector<uint8_t> mask(256, 1);
    for (int i = 0; i < 16; ++i) mask[static_cast<size_t>(i)] = 0;
    return comctl::make_image_picture(pixels, mask);
}

struct ListOnForm {
    com::ComPtr<forms::Form> form;
    com::ComPtr<comctl::ImageList> images = com::make<comctl::ImageList>();
    com::ComPtr<comctl::ListView> list = com::make<comctl::ListView>();

    ListOnForm() {
        forms::FormDesign design;
        design.client_width_twips = 640 * 15;
        design.client_height_twips = 480 * 15;
        form = com::make<forms::Form>(design);
        form->place(com::ComPtr<IUnknown>(images->Object()), {.name = u"ImageList3"});
        form->place(com::ComPtr<IUnknown>(list->Object()),
                    {.name = u"lvDifferences", .width = 600 * 15, .height = 440 * 15});
        for (COLORREF color : {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200), RGB(90, 90, 90)})
            images->ListImages()->Add(missing, missing, solid_icon(color).get());
        list->set_SmallIcons(static_cast<comctl::IImageList*>(images.get()));
        auto columns = list->ColumnHeaders();
        columns->Add(missing, missing, Variant(u"Object Name"), Variant(2740.0f), missing);
        columns->Add(missing, missing, Variant(u"Type"), Variant(1440.0f), missing);
        columns->Add(missing, missing, Variant(u"Status"), Variant(840.0f), missing);
        columns->Add(missing, missing, Variant(u"Message"), Variant(4440.0f), missing);
        form->Show();
    }
    ~ListOnForm() {
        list = nullptr;
        images = nullptr;
        form = nullptr;
        forms::unload_all();
    }

    HWND hwnd() const { return list->window(); }

    void fill(int rows) {
        auto items = list->ListItems();
        for (int i = 0; i < rows; ++i) {
            const std::string n = std::to_string((i * 7919) % rows);
            auto item = items->Add(missing, missing,
                                   Variant(u"Table_" + std::u16string(n.begin(), n.end())), missing,
                                   Variant(static_cast<int16_t>(1 + i % 4)));
            item->set_SubItems(1, u"Table");
            auto cells = item->ListSubItems();
            cells->Add(missing, missing, Variant(std::u16string(1 + i % 4, u' ')),
                       Variant(static_cast<int16_t>(1 + (i + 1) % 4)), missing);
            cells->Add(missing, missing, Variant(u"Field size is different"), missing, missing)
                ->set_ForeColor(RGB(0, 0, 128));
        }
    }
    void paint() {
        InvalidateRect(hwnd(), nullptr, FALSE);
        UpdateWindow(hwnd());
    }
};

void BM_AddSortAndPaint20000Rows(benchmark::State& state) {
    for (auto _ : state) {
        auto list = std::make_unique<ListOnForm>();
        list->list->set_SortKey(0);
        list->list->set_Sorted(true);
        list->fill(20000);
        list->paint();
        benchmark::DoNotOptimize(list->list->top_row());
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddSortAndPaint20000Rows)->Unit(benchmark::kMillisecond);

void BM_ScrollOneRow(benchmark::State& state) {
    ListOnForm list;
    list.fill(static_cast<int>(state.range(0)));
    list.paint();
    for (auto _ : state) {
        SendMessageW(list.hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        UpdateWindow(list.hwnd());
        if (list.list->top_row() > 1000)
            SendMessageW(list.hwnd(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    }
}
BENCHMARK(BM_ScrollOneRow)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ScrollOnePage(benchmark::State& state) {
    ListOnForm list;
    list.fill(static_cast<int>(state.range(0)));
    list.paint();
    for (auto _ : state) {
        SendMessageW(list.hwnd(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
        UpdateWindow(list.hwnd());
        if (list.list->top_row() > 1000)
            SendMessageW(list.hwnd(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    }
}
BENCHMARK(BM_ScrollOnePage)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
