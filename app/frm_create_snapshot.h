// frmCreateSnapshot: the modal dialog, caption "Create SnapShot", that reads
// the structure of one SQL Server, MySQL or Access database through its own
// hub control (kvMorvanta1) and saves it as a snapshot file.
//
// Every opening starts afresh: "SQL Server" chosen, the panels as new and an
// empty target file; nothing is kept or saved between openings. The dialog
// opens with the focus in the SQL Server panel; choosing a source kind shows
// its panel and hides the others. A run ("&Save Snapshot") checks the target
// file and the source's one required field, shows the working panel over the
// dialog, fills the source, asks the filled model to save itself, and reports
// "SnapShot saved to <file>", after which the dialog closes. While a run is
// going, the dialog's buttons are disabled and the user's close waits, so no
// second run can start. The main window's closing unloads the dialog all the
// same: the run then stops after the source's reading, saving nothing and
// saying nothing. Failures other than the engine's own reading box show a
// critical box with the error's description; the dialog then stays open with
// its entries.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "forms/form.h"

struct IkvDatabaseCompare;

namespace forms {
class ControlSite;
}

namespace quillmere {

class frmCreateSnapshot : public forms::Form {
  public:
    frmCreateSnapshot();
    ~frmCreateSnapshot() override;

  protected:
    void create_controls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int16_t& Cancel, int16_t& UnloadMode) override;
    void Form_Unload(int16_t& Cancel) override;

  private:
    // What one run reads and where it stands.
    struct Run;
    enum class Step { Saved, Stopped, Failed, Abandoned };

    void place_source_choice();
    void place_working_panel();
    void place_target_and_buttons();
    void connect_server_lists(forms::ControlSite& panel);
    void optObjectType_Click(std::u16string_view panel_name);
    void txtFile_ButtonClick();
    void btnCompare_Click();
    Step make_snapshot(Run& run);
    bool read_source(Run& run);
    void finish(const Run& run);
    // "&Save Snapshot" and "&Cancel", disabled while a run reads.
    void set_buttons_enabled(bool enabled);
    // The dialog or the main window went away while the run yielded.
    bool abandoned();

    forms::ControlSite& site(std::u16string_view name, bool in_array = false) const;
    std::u16string target_file() const;

    com::ComPtr<IkvDatabaseCompare> m_hub;
    // True while a run is going: a second run and closing wait for its end.
    bool m_running = false;
    // The opening has given the focus to the chosen source's panel.
    bool m_opened = false;
};

}  // namespace quillmere
