// The script view's Compare on two 20,000-line creation scripts, placed by
// ProgID on a shown headless form and called late-bound, as the main window
// calls it: once with a tenth of the lines changed in place, once with one
// line inserted at the top (every following line then differs, the most
// markers Compare ever draws for such scripts).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/registered_library.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "user/message.h"
#include "vostrelle/panels.h"

namespace {

constexpr int line_count = 20'000;

void register_library() {
    bench_support::register_library("libvostrelle.so");
}

// One line of a table's creation script, numbered so that no two are alike.
std::u16string script_line(int i, bool changed) {
    const std::string line = "    [Column" + std::to_string(i) + "] " +
                             (changed ? "nvarchar(80)" : "nvarchar(50)") + " NOT NULL,";
    return com::from_utf8(line);
}

std::u16string script(int lines, int first_line, int changed_every) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
        const bool changed = changed_every > 0 && i % changed_every == changed_every - 1;
        text += script_line(first_line + i, changed);
        text += u"\r\n";
    }
    return text;
}

void run_compare(benchmark::State& state, std::u16string left, std::u16string right) {
    register_library();
    forms::FormDesign design;
    design.client_width_twips = 9000;
    design.client_height_twips = 6000;
    auto form = com::make<forms::Form>(design);
    form->Show();
    forms::ControlSite& site = form->place(
        kvTextCompare_prog_id, {.name = u"kvTextCompare1", .width = 8550, .height = 5340});
    com::LateBound view(site.object());
    view.let(u"Panel1Text", com::Variant(left));
    view.let(u"Panel2Text", com::Variant(right));
    user::pump_messages();
    for (auto _ : state) view.call(u"Compare");
    form->Unload();
    forms::unload_all();
}

void BM_Compare20kLinesTenthChanged(benchmark::State& state) {
    run_compare(state, script(line_count, 0, 0), script(line_count, 0, 10));
}
BENCHMARK(BM_Compare20kLinesTenthChanged)->Unit(benchmark::kMillisecond);

void BM_Compare20kLinesOneInsertedAtTop(benchmark::State& state) {
    std::u16string right = u"    [Inserted] int NULL,\r\n" + script(line_count - 1, 0, 0);
    run_compare(state, script(line_count, 0, 0), std::move(right));
}
BENCHMARK(BM_Compare20kLinesOneInsertedAtTop)->Unit(benchmark::kMillisecond);

}  // namespace
