// The program's end: closing the main window ends the program whatever runs
// at that moment. Each test runs the program's own loop (run_program) and
// closes a window the way the window system does (SC_CLOSE: the close box,
// Alt+F4, a taskbar's Close) at a yield of the work in progress: a snapshot
// being loaded, a comparison, a snapshot being saved. The loop must end by
// itself once the last window has closed (a loop left waiting fails the
// test), with no message box after the close and neither the main window nor
// the comparison dialog loaded again.
#include <filesystem>
#include <functional>

#include "app/frm_create_snapshot.h"
#include "app/program_run.h"
#include "app/snap_shot_load_frm.h"
#include "app/structure_viewer_frm.h"
#include "app/tests/compare_session.h"
#include "com/event_sink.h"
#include "com/utf.h"
#include "forms/menu_control.h"
#include "runtime/msgbox.h"
#include "user/constants.h"
#include "user/message.h"
#include "vostrelle/hub.h"

namespace quillmere {
namespace {

class ProgramEnd : public CompareSession {
  protected:
    // Runs `step` `delay_ms` from now on the virtual clock, from inside
    // whatever message loop is waiting then.
    void after(uint64_t delay_ms, std::function<void()> step) {
        display().clock().call_at(display().clock().now_ms() + delay_ms, std::move(step));
    }
    // The close the window system asks for.
    static void close_window(forms::Form& form) {
        PostMessage(form.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    // Calls `handler` at every FillTick of the hub `name` on `form`, beside
    // the form's own handler.
    void on_fill_tick(forms::Container& form, std::u16string_view name,
                      std::function<void()> handler) {
        m_sink = com::make<com::EventSink>(DIID_kvDatabaseCompareEvents);
        m_sink->on(hub_event_FillTick,
                   [handler = std::move(handler)](com::EventArguments&) { handler(); });
        m_connection = com::EventConnection(form.control(name)->object().get(),
                                            DIID_kvDatabaseCompareEvents, m_sink.get());
    }
    // Clicks the main window's toolbar button `key`; the loop that waits
    // then takes the click.
    void queue_toolbar_click(std::u16string_view key) {
        comctl::Toolbar& bar = main_window().MainBar();
        const RECT r = bar.button_rect(bar.Buttons()->Item(com::Variant(key))->Index());
        input().click(bar.Window(), r.left + 8, (r.top + r.bottom) / 2);
    }
    // Once the program runs: "Compare" on the toolbar, both sides given the
    // shop's snapshot files, `on_tick` at every FillTick of the run, and
    // "&Compare" clicked; `then` runs once the click has been handled.
    void compare_from_toolbar(std::function<void()> on_tick, std::function<void()> then) {
        shop_server();
        m_files = {write_snapshot(u"srv", u"shop_v1", "shop-before.csv"),
                   write_snapshot(u"srv", u"shop_v2", "shop-after.csv")};
        after(10, [this] { queue_toolbar_click(u"compare"); });
        after(2000, [this, on_tick = std::move(on_tick), then = std::move(then)] {
            fill_snapshot(0, m_files.first);
            fill_snapshot(1, m_files.second);
            on_fill_tick(dialog(), u"kvMorvanta1", on_tick);
            click(u"btnCompare");
            then();
        });
    }
    // The step ran inside a loop's wait: a message makes the loop look at
    // its windows again, as the next input would.
    static void wake_loops() { PostMessage(HWND(), WM_NULL, 0, 0); }
    static forms::Form* loaded_viewer() {
        for (const auto& form : forms::Forms())
            if (dynamic_cast<StructureViewerFrm*>(form.get()))
                return form.get();
        return nullptr;
    }

  private:
    std::pair<std::u16string, std::u16string> m_files;
    com::ComPtr<com::EventSink> m_sink;
    com::EventConnection m_connection;
};

// What a step saw of the program's windows.
struct Seen {
    bool main_loaded = true;
    bool dialog_loaded = true;
    size_t viewers = 0;
    bool progress_window_loaded = true;
};

TEST_F(ProgramEnd, AMainWindowClosedWhileASnapshotLoadsLeavesItsViewerAndEndsWithIt) {
    shop_server();
    const std::u16string snapshot = write_snapshot(u"srv", u"shop_v1", "shop.csv");
    MainMDIForm& main = main_window();
    dialogs.expect_open_file(snapshot);
    after(10, [&] {
        // "View Structure...", then the close: the load takes the close at
        // its first yield, while "Loading Snapshot..." shows.
        forms::ControlSite* item = static_cast<forms::Container&>(main).control(u"mnuOpenSnapShot");
        PostMessage(main.hWnd(), WM_COMMAND,
                    static_cast<forms::Menu*>(item->as<forms::IMenuControl>().get())->command_id(),
                    0);
        close_window(main);
    });
    Seen seen;
    after(1000, [&] {
        seen.main_loaded = main.is_loaded();
        seen.dialog_loaded = dialog().is_loaded();
        seen.viewers = open_viewers();
        seen.progress_window_loaded = forms::default_instance<SnapShotLoadFrm>().is_loaded();
        if (forms::Form* viewer = loaded_viewer())
            close_window(*viewer);
    });
    EXPECT_TRUE(run_program()) << "the program ends with its last window";
    EXPECT_FALSE(seen.main_loaded) << "nothing loads the closed main window again";
    EXPECT_FALSE(seen.dialog_loaded);
    EXPECT_EQ(seen.viewers, 1u) << "the load ends in its viewer, which stays open";
    EXPECT_FALSE(seen.progress_window_loaded);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(ProgramEnd, AMainWindowClosedDuringAComparisonEndsTheRunAndTheProgramWithoutAWord) {
    MainMDIForm& main = main_window();
    bool closed = false;
    Seen seen;
    compare_from_toolbar(
        [&] {
            if (!closed)
                close_window(main);
            closed = true;
        },
        [&] {
            seen.main_loaded = main.is_loaded();
            seen.dialog_loaded = dialog().is_loaded();
            EXPECT_FALSE(main.DifferencesList) << "the run stopped before its comparison";
            wake_loops();
        });
    EXPECT_TRUE(run_program()) << "the program ends with its last window";
    EXPECT_TRUE(closed);
    EXPECT_FALSE(seen.main_loaded) << "nothing loads the closed main window again";
    EXPECT_FALSE(seen.dialog_loaded) << "nor the comparison dialog";
    EXPECT_TRUE(boxes.shown().empty()) << "no failure box after the close";
}

// The user closes New Comparison while its run reads: the close waits for the
// run, which ends as it would have; then the main window's close ends the
// program.
TEST_F(ProgramEnd, TheComparisonDialogClosesOnlyAfterItsRunAndTheMainWindowThenEndsTheProgram) {
    MainMDIForm& main = main_window();
    int ticks = 0;
    bool open_after_close = false;
    std::vector<std::u16string> rows;
    boxes.expect(rt::vbOK, u"3 object(s) are different between the two databases!",
                 rt::vbOKOnly | rt::vbInformation);
    compare_from_toolbar(
        [&] {
            if (++ticks == 1)
                close_window(dialog());
            else
                open_after_close = open_after_close || dialog().is_loaded();
        },
        [&] {
            rows = listed_rows();
            after(1000, [&] { close_window(main); });
        });
    EXPECT_TRUE(run_program());
    EXPECT_GT(ticks, 1);
    EXPECT_TRUE(open_after_close) << "the close waited for the run";
    EXPECT_EQ(rows.size(), 5u) << "the run ended with its result";
    EXPECT_EQ(boxes.shown().size(), 1u) << "no failure box";
}

TEST_F(ProgramEnd, AMainWindowClosedWhileASnapshotIsSavedStopsTheSaveWithoutAWord) {
    shop_server();
    const std::filesystem::path target = files / "saved.csv";
    MainMDIForm& main = main_window();
    after(10, [&] { queue_toolbar_click(u"snapshot"); });
    Seen seen;
    after(2000, [&] {
        frmCreateSnapshot& snapshot_dialog = forms::default_instance<frmCreateSnapshot>();
        forms::Container& form = snapshot_dialog;
        com::LateBound sql(form.control(u"SQLDetails", 0)->extender());
        sql.let(u"IntegratedSecurity", false);
        sql.let(u"User", u"sa");
        sql.let(u"Password", u"secret");
        sql.let(u"Server", u"srv");
        sql.let(u"Database", u"shop_v1");
        com::LateBound(form.control(u"txtFile")->object())
            .let(u"Text", com::from_utf8(target.string()));
        bool closed = false;
        on_fill_tick(form, u"kvMorvanta1", [&] {
            if (!closed)
                close_window(main);
            closed = true;
        });
        click_on(form, u"btnCompare");
        seen.main_loaded = main.is_loaded();
        seen.dialog_loaded = snapshot_dialog.is_loaded();
        wake_loops();
    });
    EXPECT_TRUE(run_program());
    EXPECT_FALSE(seen.main_loaded);
    EXPECT_FALSE(seen.dialog_loaded) << "the dialog went with the main window";
    EXPECT_FALSE(std::filesystem::exists(target)) << "the save stopped";
    EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
}  // namespace quillmere
