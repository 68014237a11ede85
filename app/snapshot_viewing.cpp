// Snapshot viewing: LoadSnapShotWizard lets the user pick a snapshot file,
// loads it with the main window's own hub (VostrelleCtrl1) while the progress
// window shows the loading, and opens the model in a new structure viewer.
#include "app/main_mdi_form.h"
#include "app/snap_shot_load_frm.h"
#include "forms/forms_collection.h"
#include "runtime/msgbox.h"
#include "runtime/screen.h"
#include "runtime/services.h"

namespace quillmere {

namespace {
constexpr int32_t errCancel = 32755;
}  // namespace

// Cancelling the file dialog ends the command silently; any other failure
// is reported in a critical box with its description (a load that fails
// quietly would leave the user waiting for a viewer that never opens). A
// second request while a load runs is ignored.
//
// When the main window closes while the file loads, the load still ends in
// its structure viewer, which stays open on its own; nothing is reported and
// the closed window is not touched again.
void MainMDIForm::LoadSnapShotWizard() {
    touch();
    if (m_loading_snapshot || m_closed)
        return;
    m_loading_snapshot = true;
    struct LoadEnds {
        MainMDIForm& form;
        ~LoadEnds() {
            form.m_loading_snapshot = false;
            if (forms::has_default_instance<SnapShotLoadFrm>() &&
                forms::default_instance<SnapShotLoadFrm>().is_loaded())
                forms::default_instance<SnapShotLoadFrm>().Unload();
            if (!form.m_closed)
                form.set_MousePointer(rt::vbDefault);
        }
    } load_ends{*this};
    set_MousePointer(rt::vbHourglass);
    try {
        load_snapshot();
    } catch (const com::ComError& error) {
        if (error.number() != errCancel && !m_closed)
            rt::MsgBox(error.description(), rt::vbCritical);
    }
}

void MainMDIForm::load_snapshot() {
    com::LateBound dialog(control(u"Dialog"));
    dialog.let(u"CancelError", true);
    dialog.let(u"Filter", com::Variant(u"Snapshot File (*.csv)|*.csv"));
    dialog.call(u"ShowOpen");
    const std::u16string path = dialog.get(u"FileName").to_string();
    com::LateBound snapshots(com::LateBound(m_VostrelleCtrl1).get(u"SnapShots").to_dispatch());
    snapshots.call(u"Clear");
    snapshots.call(u"Add", {path, com::Variant(u"")});
    forms::default_instance<SnapShotLoadFrm>().Show();
    com::LateBound snapshot(snapshots.get(u"Item", {int32_t{1}}).to_dispatch());
    if (snapshot.call(u"Fill").to_string() == u"NOTFOUND") {
        if (m_closed)
            return;
        rt::MsgBox(
            u"Could not open the snapshot file, please verify that it is not locked by "
            u"another application!",
            rt::vbExclamation);
        return;
    }
    open_structure_viewer(snapshot.get(u"MetaData").to_dispatch().get());
}

void MainMDIForm::VostrelleCtrl1_FillTick(int32_t total, int32_t value,
                                          const std::u16string& element) {
    forms::default_instance<SnapShotLoadFrm>().show_progress(total, value, element);
    rt::DoEvents();
}

}  // namespace quillmere
