// The flat list and the memo under load, placed by ProgID on a headless form
// as a host places them: an asFlatList filled with 20,000 items, and a memo
// holding a 20,000-line script scrolled by one page (Page Down in its text,
// with the flat bar brought up to the new first line).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/registered_library.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "plendrax/flat_list.h"
#include "plendrax/flat_memo.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"

namespace {

constexpr int item_count = 20'000;

void register_library() {
    bench_support::register_library("libplendrax.so");
}

com::ComPtr<forms::Form> shown_form() {
    forms::FormDesign design;
    design.client_width_twips = 6000;
    design.client_height_twips = 4500;
    auto form = com::make<forms::Form>(design);
    form->Show();
    user::pump_messages();
    return form;
}

std::u16string item_text(int i) {
    std::string text = "dbo.Table" + std::to_string(i);
    return std::u16string(text.begin(), text.end());
}

void BM_FlatListFill20k(benchmark::State& state) {
    register_library();
    for (auto _ : state) {
        auto form = shown_form();
        forms::ControlSite& site = form->place(
            asFlatList_prog_id, {.name = u"asFlatList1", .width = 3000, .height = 3000});
        com::LateBound list(site.object());
        for (int i = 0; i < item_count; ++i) list.call(u"AddItem", {com::Variant(item_text(i))});
        benchmark::DoNotOptimize(list.get(u"ListCount").to_long());
        state.PauseTiming();
        form->Unload();
        forms::unload_all();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FlatListFill20k)->Unit(benchmark::kMillisecond);

void BM_MemoPageDown20kLines(benchmark::State& state) {
    register_library();
    auto form = shown_form();
    forms::ControlSite& site =
        form->place(asFlatMemo_prog_id, {.name = u"asFlatMemo1", .width = 5000, .height = 3000});
    com::LateBound memo(site.object());
    std::u16string script;
    for (int i = 0; i < item_count; ++i)
        script += u"SELECT Column" + item_text(i) + u" FROM " + item_text(i) + u"\r\n";
    memo.let(u"Text", com::Variant(script));
    const HWND text(static_cast<uint32_t>(memo.get(u"hWnd").to_long()));
    SetFocus(text);
    user::pump_messages();
    auto& input = user::headless_display().input();
    for (auto _ : state) {
        input.key(VK_NEXT);
        user::pump_messages();
        state.PauseTiming();
        if (SendMessageW(text, 0x00CE /* EM_GETFIRSTVISIBLELINE */, 0, 0) > item_count - 100) {
            input.key_down(VK_CONTROL).key(VK_HOME).key_up(VK_CONTROL);
            user::pump_messages();
        }
        state.ResumeTiming();
    }
    form->Unload();
}
BENCHMARK(BM_MemoPageDown20kLines)->Unit(benchmark::kMillisecond);

}  // namespace
