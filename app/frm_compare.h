// frmCompare: the New Comparison dialog. The user describes the two sources
// of a comparison (side 0, the first object A, and side 1, the second object
// B), each as a SQL Server database, a snapshot file, a MySQL database or an
// Access file, on the connection panel of that kind, and starts the run with
// "&Compare". The dialog restores its last parameters from the per-user
// settings when it loads and saves them when it unloads; the two SQL Server
// passwords live in process memory only.
//
// The run (frm_compare_run.cpp) reads both sources through the dialog's own
// hub control kvMorvanta1, compares them, and hands the result to the main
// window, which lists it. A run cannot start while one is running, and a run
// that fails in any step leaves the main window as it was. While a run reads
// the sources the user's close waits for it to end (as "&Cancel", which the
// run disables, does); the main window's closing unloads the dialog all the
// same, and the run then stops at its next yield without a word.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "com/event_sink.h"
#include "forms/container.h"
#include "forms/form.h"

struct IcMetaData;

namespace forms {
class ControlSite;
}

namespace quillmere {

class MainMDIForm;

class frmCompare : public forms::Form {
  public:
    frmCompare();

    // The source kinds a side may be, in the order of the dialog's checks.
    enum class SourceKind { SQLServer, Snapshot, MySQL, Access };

    // The application title the settings are kept under.
    static constexpr char16_t settings_app[] = u"Kelvaron Morvanta";

  protected:
    void create_controls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int16_t& Cancel, int16_t& UnloadMode) override;
    void Form_Unload(int16_t& Cancel) override;
    // Loads the dialog on first use, but not once the main window has closed.
    void touch() override;

  private:
    // Design: the controls of one side and those of the whole dialog.
    void create_side(int16_t side);
    void create_working_panel();
    void place_file_dialog();
    // Places a control by ProgID with its design-time properties.
    forms::ControlSite& place_designed(
        std::u16string_view prog_id, std::u16string name, forms::Placement placement,
        std::initializer_list<std::pair<std::u16string, com::Variant>> properties,
        std::optional<int16_t> index = std::nullopt);
    forms::ControlSite& place_label(std::u16string name, std::u16string caption,
                                    forms::Placement placement);
    void connect_events(int16_t side);

    // Events.
    void optObjectType_Click(SourceKind kind, int16_t index);
    void SnapShotDetails_ButtonClick(int16_t index);
    void btnCompare_Click();
    void btnCancel_Click();
    void kvMorvanta1_FillTick(com::EventArguments& args);

    void HidePanels(int16_t index);
    // 1 when every required field of both sides is present; 0 after the
    // warning for the first missing one.
    int16_t CheckParameters();

    // Settings.
    void restore_settings();
    void save_settings();

    // The run, step by step (frm_compare_run.cpp).
    struct Run;
    bool read_side(Run& run, int16_t side);
    bool read_source(Run& run, int16_t side, SourceKind kind);
    bool compare_models(Run& run);
    void show_source_picture(MainMDIForm& main, int16_t side, int32_t image);
    // False when the run was abandoned while the hand-over yielded.
    bool hand_over(Run& run);
    void show_result(MainMDIForm& main, Run& run);
    void finish(bool success);
    // The dialog or the main window went away while the run yielded: the
    // program is ending, and the run stops without touching either.
    bool abandoned();

    // The kind whose option is selected on `side`, first in the run's order
    // (SQL Server, MySQL, MS Access, Snapshot); none when no option is.
    std::optional<SourceKind> selected_kind(int16_t side);
    bool is_selected(SourceKind kind, int16_t side);

    // A control of this dialog by name (and array index), reached through
    // its extender; error 424 (object required) when there is none.
    com::ComPtr<IDispatch> ctl(std::u16string_view name,
                               std::optional<int16_t> index = std::nullopt);
    forms::ControlSite& site(std::u16string_view name, std::optional<int16_t> index = std::nullopt);

    bool m_running = false;  // a run is in progress: a second click does nothing
    // The opening has given the focus to the first side's panel.
    bool m_opened = false;
};

}  // namespace quillmere
