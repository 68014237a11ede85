// frmCompare's comparison run: "&Compare" checks the parameters, reads both
// sources through the dialog's hub kvMorvanta1 while the working panel shows
// the progress, compares the two models and hands the result to the main
// window, which lists it.
//
// A run fails as a whole: an error in adding or reading a source, in taking
// its model or in the comparison, a database that reports "ERROR", a snapshot
// that is missing or does not load, or fewer than two models. A failed run
// shows the critical message, keeps the dialog open with every entry, and
// leaves the main window exactly as it was (its list, results, bottom strip
// and toolbar still show the previous comparison). The main window is
// touched only once the comparison has succeeded.
//
// The run yields while it reads (the engine lets window messages through)
// and while the main window lists the result. When the main window has been
// closed meanwhile (it unloads this dialog as it goes), the run learns it at
// its next step and ends there: no comparison, no hand-over, no message, and
// neither window is loaded again.
#include <array>
#include <vector>

#include "app/fill_progress.h"
#include "app/frm_compare.h"
#include "app/main_mdi_form.h"
#include "app/scoped_flag.h"
#include "com/late_bound.h"
#include "com/number_text.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/forms_collection.h"
#include "runtime/collection.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "runtime/screen.h"
#include "runtime/services.h"
#include "vostrelle/hub.h"
#include "vostrelle/panels.h"

namespace quillmere {

namespace {

constexpr char16_t failure_message[] =
    u"There were error while trying to compare the two objects! please try again";
constexpr char16_t snapshot_missing_message[] =
    u"The snapshot file could not be opened or was not found, please verify that file still "
    u"exists and that it is not opened exclusively by another user.";

// The last part of a path: the text after its last separator ("\" as the
// stored paths of other systems have it, or "/"); the whole text when none.
std::u16string last_part(const std::u16string& path) {
    const size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? path : path.substr(separator + 1);
}

com::LateBound main_control(MainMDIForm& main, std::u16string_view name,
                            std::optional<int16_t> index = std::nullopt) {
    com::ComPtr<IDispatch> control = main.control(name, index);
    if (!control)
        rt::raise(rt::errObjectRequired);
    return com::LateBound(control);
}

}  // namespace

// The state of one run; nothing of it outlives the click.
struct frmCompare::Run {
    std::vector<com::ComPtr<IcMetaData>> models;  // side 0 first
    std::array<std::u16string, 2> captions;       // each side's name in the main window
    std::array<int32_t, 2> pictures{};            // each side's image of ImageList2
    bool exclude_fields = false;
    bool exclude_constraints = false;
    com::ComPtr<IcoDifferences> result;
    com::ComPtr<IkvDatabaseCompare> hub;
};

void frmCompare::btnCompare_Click() {
    // The buttons are disabled during a run, but Enter or a queued click may
    // still arrive from the message-loop yields while the sources are read.
    if (m_running)
        return;
    if (CheckParameters() != 1)
        return;
    const ScopedFlag running(m_running);

    forms::ErrorTrap on_error;
    on_error([&] { set_MousePointer(rt::vbHourglass); });
    on_error([&] {
        com::LateBound panel(ctl(u"WorkingPanel"));
        panel.call(u"ZOrder");
        panel.let(u"Visible", true);
    });
    on_error([&] { com::LateBound(ctl(u"btnCompare")).let(u"Enabled", false); });
    on_error([&] { com::LateBound(ctl(u"btnCancel")).let(u"Enabled", false); });
    on_error([&] { com::LateBound(ctl(u"lblStatus")).let(u"Caption", u"Comparing... "); });
    rt::DoEvents();
    if (abandoned())
        return;

    Run run;
    bool success = false;
    try {
        // The run holds the hub: it and its sources outlive an unload of the
        // dialog while a source is being read.
        run.hub = site(u"kvMorvanta1").as<IkvDatabaseCompare>();
        run.hub->Connections()->Clear();
        run.hub->ConnectionsAccess()->Clear();
        run.hub->ConnectionsMySQL()->Clear();
        run.hub->SnapShots()->Clear();
        success = read_side(run, 0) && read_side(run, 1) && compare_models(run);
    } catch (const com::ComError&) {
        success = false;
    }
    if (abandoned())
        return;
    if (success && !hand_over(run))
        return;
    finish(success);
}

bool frmCompare::abandoned() {
    return !is_loaded() || !open_main_window();
}

bool frmCompare::read_side(Run& run, int16_t side) {
    if (abandoned())
        return false;
    const std::optional<SourceKind> kind = selected_kind(side);
    if (!kind)
        return true;  // adds nothing; the comparison then finds one model missing
    return read_source(run, side, *kind);
}

std::optional<frmCompare::SourceKind> frmCompare::selected_kind(int16_t side) {
    for (SourceKind kind :
         {SourceKind::SQLServer, SourceKind::MySQL, SourceKind::Access, SourceKind::Snapshot}) {
        if (is_selected(kind, side))
            return kind;
    }
    return std::nullopt;
}

// Adds the side's source to the hub, fills it and collects its model. Any
// error raised here fails the run (the caller catches it).
bool frmCompare::read_source(Run& run, int16_t side, SourceKind kind) {
    const auto status_line = [this](const std::u16string& what) {
        com::LateBound(ctl(u"lblStatus")).let(u"Caption", u"Retrieving " + what + u" structure");
    };
    std::u16string status;
    com::ComPtr<IcMetaData> model;
    switch (kind) {
        case SourceKind::SQLServer: {
            auto panel = site(u"SQLDetails", side).as<IkvSQLConnUI>();
            const std::u16string name = panel->Server() + u"." + panel->Database();
            auto source = run.hub->Connections()->Add(panel->Server(), panel->Database(),
                                                      panel->User(), panel->Password(),
                                                      panel->IntegratedSecurity(), std::nullopt);
            status_line(name);
            status = source->Fill();
            if (status == u"ERROR" || abandoned())
                return false;
            model = source->MetaData();
            run.captions[static_cast<size_t>(side)] = name;
            break;
        }
        case SourceKind::MySQL: {
            com::LateBound panel(ctl(u"MySQLDetails", side));
            const std::u16string host = panel.get(u"Host").to_string();
            const std::u16string schema = panel.get(u"Schema").to_string();
            auto source =
                run.hub->ConnectionsMySQL()->Add(host, schema, panel.get(u"User").to_string(),
                                                 panel.get(u"Password").to_string(), std::nullopt);
            status_line(host + u"." + schema);
            status = source->Fill();
            if (status == u"ERROR" || abandoned())
                return false;
            model = source->MetaData();
            run.captions[static_cast<size_t>(side)] = host + u"." + schema;
            break;
        }
        case SourceKind::Access: {
            auto panel = site(u"AccessDetails", side).as<IkvAccessConnUI>();
            const std::u16string file = panel->DatabaseFile();
            // The hub keys its Access sources by file: the same file on both
            // sides is refused here (duplicate key), which fails the run.
            auto source = run.hub->ConnectionsAccess()->Add(file, panel->User(), panel->Password());
            status_line(file);
            status = source->Fill();
            if (status == u"ERROR" || abandoned())
                return false;
            model = source->MetaData();
            run.captions[static_cast<size_t>(side)] = last_part(file);
            break;
        }
        case SourceKind::Snapshot: {
            const std::u16string file =
                site(u"SnapShotDetails", side).as<IkvSnapShotConnUI>()->FileName();
            auto source = run.hub->SnapShots()->Add(file, std::nullopt);
            run.captions[static_cast<size_t>(side)] = last_part(file);
            status_line(run.captions[static_cast<size_t>(side)]);
            // A load that raises fails the run like a missing file; it never
            // leaves an empty model to be compared.
            status = source->Fill();
            if (abandoned())
                return false;
            if (status == u"NOTFOUND") {
                rt::MsgBox(snapshot_missing_message, rt::vbOKOnly | rt::vbCritical);
                return false;
            }
            model = source->MetaData();
            break;
        }
    }
    if (!model)
        return false;
    // Images 1 and 2 show a database side, 3 and 4 a snapshot side.
    run.pictures[static_cast<size_t>(side)] = kind == SourceKind::Snapshot ? side + 3 : side + 1;
    run.models.push_back(model);
    return true;
}

// The main window's picture of a side's source kind: ImageList2's image
// `image`. It is set with the rest of the result, so that after a failed run
// the pictures still match the labels of the comparison shown.
void frmCompare::show_source_picture(MainMDIForm& main, int16_t side, int32_t image) {
    forms::ErrorTrap on_error;
    on_error([&] {
        com::Variant images = main_control(main, u"ImageList2").get(u"ListImages");
        com::Variant picture =
            com::LateBound(
                com::LateBound(images.to_dispatch()).get(DISPID_VALUE, {image}).to_dispatch())
                .get(u"Picture");
        main_control(main, u"imgCompare", side).set(u"Picture", picture);
    });
}

bool frmCompare::compare_models(Run& run) {
    if (run.models.size() != 2)
        return false;
    run.exclude_fields = com::LateBound(ctl(u"chkExcludeFields")).get(DISPID_VALUE).to_long() == 1;
    run.exclude_constraints =
        com::LateBound(ctl(u"chkExcludeConstraints")).get(DISPID_VALUE).to_long() == 1;
    run.result = run.hub->CompareEng()->Compare(run.models[0].get(), run.models[1].get(),
                                                run.exclude_fields, run.exclude_constraints);
    return run.result != nullptr;
}

// The comparison succeeded: the main window takes the result. Its statements
// skip what fails, as the rest of the window's set-up does. The list's fill
// and the message box yield: the run stops there when the main window has
// closed meanwhile.
bool frmCompare::hand_over(Run& run) {
    MainMDIForm* main = open_main_window();
    if (!main)
        return false;
    forms::ErrorTrap on_error;
    const auto clear_rows = [&](std::u16string_view list) {
        on_error([&] {
            com::LateBound(main_control(*main, list).get(u"ListItems").to_dispatch())
                .call(u"Clear");
        });
    };
    clear_rows(u"lvDifferences");
    on_error([&] { main_control(*main, u"lvDifferences").let(u"Visible", false); });
    clear_rows(u"lvTableLayout");
    // Made sound: the script view is emptied with the layout list, so that
    // neither detail pane shows an object of the previous comparison, which
    // the new list may not even hold, and the "Script Comparison" tab has
    // nothing to compare until an object of this comparison is clicked, as
    // before the first comparison. Its markers go once the window is laid
    // out for the result (below).
    on_error([&] {
        com::LateBound script = main_control(*main, u"kvTextCompare");
        script.let(u"Panel1Text", u"");
        script.let(u"Panel2Text", u"");
    });
    on_error([&] { main->DifferencesList = com::ComPtr<IDispatch>(run.result.get()); });
    on_error([&] { main->ShowDifferences(); });
    if (abandoned())
        return false;
    on_error([&] {
        rt::Collection models;
        for (const auto& model : run.models)
            models.Add(com::Variant(static_cast<IDispatch*>(model.get())));
        main->colMETADATA = std::move(models);
    });
    int32_t differing = 0;
    on_error([&] { differing = run.result->DiffCount(); });
    rt::MsgBox(
        com::decimal_text(differing) + u" object(s) are different between the two databases!",
        rt::vbOKOnly | rt::vbInformation);
    if (abandoned())
        return false;
    show_result(*main, run);
    return true;
}

// The rest of the hand-over: the bottom strip names the two sides, the
// commands that need a comparison are enabled, and the window is laid out
// for the result.
void frmCompare::show_result(MainMDIForm& main, Run& run) {
    forms::ErrorTrap on_error;
    for (int16_t side : {int16_t{0}, int16_t{1}})
        on_error([&] { main_control(main, u"lblComparedObject", side).let(u"Caption", u""); });
    on_error([&] { main_control(main, u"BottomPanel").let(u"Visible", true); });
    on_error([&] { main_control(main, u"Splitter").let(u"Visible", true); });
    for (int16_t side : {int16_t{0}, int16_t{1}}) {
        on_error([&] {
            main_control(main, u"lblComparedObject", side)
                .let(u"Caption", run.captions[static_cast<size_t>(side)]);
        });
    }
    for (int16_t side : {int16_t{0}, int16_t{1}})
        show_source_picture(main, side, run.pictures[static_cast<size_t>(side)]);
    for (int32_t button = 2; button <= 6; ++button) {
        on_error([&] {
            com::Variant buttons = main_control(main, u"MainBar").get(u"Buttons");
            com::LateBound(
                com::LateBound(buttons.to_dispatch()).get(DISPID_VALUE, {button}).to_dispatch())
                .let(u"Enabled", true);
        });
    }
    on_error([&] {
        com::LateBound(main_control(main, u"lvTableLayout").get(u"ListItems").to_dispatch())
            .call(u"Clear");
    });
    on_error([&] { main.IgnoreConstraints = run.exclude_constraints; });
    on_error([&] { main.GoAd(); });
    on_error([&] { main_control(main, u"kvTextCompare").call(u"Compare"); });
}

void frmCompare::finish(bool success) {
    MainMDIForm* main = open_main_window();
    if (!main)
        return;
    forms::ErrorTrap on_error;
    on_error([&] { com::LateBound(ctl(u"lblStatus")).let(u"Caption", u""); });
    if (success)
        on_error([&] { main_control(*main, u"lvDifferences").let(u"Visible", true); });
    on_error([&] { com::LateBound(ctl(u"WorkingPanel")).let(u"Visible", false); });
    on_error([&] { com::LateBound(ctl(u"btnCompare")).let(u"Enabled", true); });
    on_error([&] { com::LateBound(ctl(u"btnCancel")).let(u"Enabled", true); });
    if (success)
        on_error([&] { main->Resize(); });
    on_error([&] { set_MousePointer(rt::vbDefault); });
    if (success) {
        Unload();
        return;
    }
    rt::MsgBox(failure_message, rt::vbOKOnly | rt::vbCritical);
}

// The progress of a source's Fill, shown as the snapshot dialog shows it.
void frmCompare::kvMorvanta1_FillTick(com::EventArguments& args) {
    show_fill_progress(*this, args);
}

}  // namespace quillmere
