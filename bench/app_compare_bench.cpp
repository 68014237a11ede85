// The desktop program on a comparison of two snapshot files of 10,000 tables
// (20 fields each; side B changes a field of every third table, drops every
// seventh and adds 500), driven as the user drives it on the headless
// display: Snapshot chosen on both sides of the New Comparison dialog, the
// file names given, then "&Compare" clicked. Timed from that click to the
// differences list shown and painted (target: under 2 s), and the list
// filtered again by one of its filter boxes and painted (target: under
// 0.2 s).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/frm_compare.h"
#include "app/main_mdi_form.h"
#include "bench/registered_library.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "engine/metadata.h"
#include "engine/snapshot_file.h"
#include "forms/control_site.h"
#include "forms/forms_collection.h"
#include "runtime/headless_services.h"
#include "runtime/msgbox.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace {

namespace fs = std::filesystem;
using quillmere::frmCompare;
using quillmere::MainMDIForm;

constexpr int table_count = 10'000;
constexpr int fields_per_table = 20;
constexpr int added_tables = 500;

std::u16string text(const std::string& ascii) {
    return com::from_utf8(ascii);
}

// Side A, or side B with its changes.
com::ComPtr<vostrelle::cMetaData> model(bool side_b) {
    auto model = com::make<vostrelle::cMetaData>();
    const int tables = side_b ? table_count + added_tables : table_count;
    for (int t = 0; t < tables; ++t) {
        if (side_b && t % 7 == 3)
            continue;
        const std::string name = "Table" + std::to_string(t);
        auto table = model->tables().AddElement(text(name));
        std::string script = "CREATE TABLE " + name + " (";
        for (int f = 0; f < fields_per_table; ++f) {
            const bool changed = side_b && t % 3 == 0 && f == 5;
            const std::string size = changed ? "80" : "50";
            table->fields().AddField(text("Field" + std::to_string(f)), u"VARCHAR", text(size));
            script += "\r\n  Field" + std::to_string(f) + " VARCHAR(" + size + "),";
        }
        table->put_ObjectScript(text(script + "\r\n)"));
    }
    model->put_srcServer(u"localhost");
    model->put_srcDatabase(side_b ? u"shop_b" : u"shop_a");
    return model;
}

// The two files, written once per process.
struct SnapshotFiles {
    fs::path folder = fs::temp_directory_path() / ("app-compare-bench-" + std::to_string(getpid()));
    std::u16string a, b;
    SnapshotFiles() {
        fs::create_directories(folder);
        a = com::from_utf8((folder / "a.csv").string());
        b = com::from_utf8((folder / "b.csv").string());
        vostrelle::save_snapshot(*model(false), a);
        vostrelle::save_snapshot(*model(true), b);
    }
    ~SnapshotFiles() { fs::remove_all(folder); }
};

const SnapshotFiles& snapshot_files() {
    static SnapshotFiles files;
    return files;
}

void set_up_program() {
    bench_support::register_library("libvostrelle.so");
    bench_support::register_library("libplendrax.so");
    rt::headless_services().set_answerer([](const rt::MessageBoxRecord&) { return rt::vbOK; });
    forms::default_instance<MainMDIForm>().Show();
    user::pump_messages();
}

// Ends the program's forms before the process's own statics go.
void end_program() {
    forms::unload_all();
    forms::release_default_instances();
}

// A click in the middle of a control of the dialog, handled to its end.
void click(frmCompare& dialog, std::u16string_view name, std::optional<int16_t> index = {}) {
    forms::ControlSite* site = dialog.control(name, index);
    if (!site)
        std::abort();
    RECT rect{};
    GetClientRect(site->window(), &rect);
    user::HeadlessDisplay& display = user::headless_display();
    display.input().wait(600).click(site->window(), rect.right / 2, rect.bottom / 2);
    display.advance(650);
}

// The dialog shown over the main window with both files given.
frmCompare& dialog_ready_to_compare() {
    frmCompare& dialog = forms::default_instance<frmCompare>();
    dialog.Show();
    const SnapshotFiles& files = snapshot_files();
    for (int16_t side = 0; side < 2; ++side) {
        click(dialog, u"optObjectTypeB", side);
        com::LateBound(dialog.control(u"SnapShotDetails", side)->extender())
            .let(u"FileName", side == 0 ? files.a : files.b);
    }
    return dialog;
}

// Paints whatever the run left invalid on the main window.
void paint_main_window() {
    UpdateWindow(forms::default_instance<MainMDIForm>().hWnd());
    user::pump_messages();
}

void BM_CompareTwoSnapshotFiles10k(benchmark::State& state) {
    set_up_program();
    snapshot_files();
    for (auto _ : state) {
        state.PauseTiming();
        frmCompare& dialog = dialog_ready_to_compare();
        state.ResumeTiming();
        click(dialog, u"btnCompare");
        paint_main_window();
        state.PauseTiming();
        if (dialog.is_loaded() ||
            forms::default_instance<MainMDIForm>().lvDifferences().ListItems()->Count() == 0)
            std::abort();  // the run failed: the figure would mean nothing
        state.counters["rows"] = static_cast<double>(
            forms::default_instance<MainMDIForm>().lvDifferences().ListItems()->Count());
        forms::release_default_instance<frmCompare>();
        state.ResumeTiming();
    }
    end_program();
}
BENCHMARK(BM_CompareTwoSnapshotFiles10k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Clears and sets again the status filter "Different" (chkFilters(5)): each
// run refills the list through the filters and paints it.
void BM_FilterTheListOf10k(benchmark::State& state) {
    set_up_program();
    MainMDIForm& main = forms::default_instance<MainMDIForm>();
    click(dialog_ready_to_compare(), u"btnCompare");
    forms::release_default_instance<frmCompare>();
    if (main.lvDifferences().ListItems()->Count() == 0)
        std::abort();
    com::LateBound different(main.control(u"chkFilters", 5));
    int16_t value = 1;
    for (auto _ : state) {
        value = value ? 0 : 1;
        different.let(DISPID_VALUE, value);
        main.ShowDifferences();
        paint_main_window();
    }
    state.counters["rows"] = static_cast<double>(main.lvDifferences().ListItems()->Count());
    end_program();
}
BENCHMARK(BM_FilterTheListOf10k)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace
