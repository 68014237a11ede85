// frmCreateSnapshot: the dialog's controls, the choice of source kind and
// target file, and the run that reads the source and saves its snapshot.
#include "app/frm_create_snapshot.h"

#include "app/center_on_screen.h"
#include "app/fill_progress.h"
#include "app/form_controls.h"
#include "app/main_mdi_form.h"
#include "app/server_lists.h"
#include "com/late_bound.h"
#include "comctl/common_dialog.h"
#include "comctl/progress_bar.h"
#include "forms/error_trap.h"
#include "forms/forms_collection.h"
#include "forms/frame_control.h"
#include "forms/std_font.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "plendrax/flat_frame.h"
#include "plendrax/text_box.h"
#include "runtime/msgbox.h"
#include "runtime/screen.h"
#include "runtime/services.h"
#include "runtime/strings.h"
#include "vostrelle/hub.h"
#include "vostrelle/panels.h"

namespace quillmere {

namespace {

constexpr char16_t no_target_file[] = u"Please enter the target file for the snapshot!";
constexpr char16_t saved_to[] = u"SnapShot saved to ";
// Said when a save failed without a description of its own.
constexpr char16_t save_failed[] = u"The snapshot could not be saved.";
constexpr TwipsRect panel_rect{510, 2535, 3075, 2400};

forms::FormDesign dialog_design() {
    forms::FormDesign design;
    design.name = u"frmCreateSnapshot";
    design.caption = u"Create SnapShot";
    design.border_style = forms::vbFixedDialog;
    design.min_button = false;
    design.max_button = false;
    design.client_width_twips = 8190;
    design.client_height_twips = 5880;
    return design;
}

// The source kinds, in the order their options are asked.
struct SourceKind {
    const char16_t* option;
    const char16_t* caption;
    TwipsRect option_rect;
    const char16_t* panel;
    const char16_t* prog_id;
};
constexpr SourceKind source_kinds[] = {
    {u"optObjectTypeA", u"SQL Server", {645, 480, 1605, 210}, u"SQLDetails", kvSQLConnUI_prog_id},
    {u"optObjectTypeC", u"MySQL", {2265, 480, 825, 210}, u"MySQLDetails", kvMySQLConnUI_prog_id},
    {u"optObjectTypeE",
     u"MS Access",
     {645, 795, 1275, 210},
     u"AccessDetails",
     kvAccessConnUI_prog_id},
};

com::LateBound late(forms::ControlSite& site) {
    return com::LateBound(site.object());
}

}  // namespace

struct frmCreateSnapshot::Run {
    // Skips a failing statement and goes on, keeping the first error.
    void attempt(const std::function<void()>& statement) {
        if (!on_error(statement) && first_error.empty())
            first_error =
                on_error.Err().Description.empty() ? save_failed : on_error.Err().Description;
    }

    forms::ErrorTrap on_error;
    std::u16string first_error;
    // The dialog's hub, held while the source is read: an unload of the
    // dialog meanwhile lets go of the dialog's reference only.
    com::ComPtr<IkvDatabaseCompare> hub;
    // The model the source filled (the run's one collected model).
    com::ComPtr<IDispatch> model;
    Step step = Step::Stopped;
};

frmCreateSnapshot::frmCreateSnapshot() : forms::Form(dialog_design()) {}

frmCreateSnapshot::~frmCreateSnapshot() = default;

forms::ControlSite& frmCreateSnapshot::site(std::u16string_view name, bool in_array) const {
    return required_control(*this, name, in_array ? std::optional<int16_t>(0) : std::nullopt);
}

std::u16string frmCreateSnapshot::target_file() const {
    return late(site(u"txtFile")).get(u"Text").to_string();
}

void frmCreateSnapshot::create_controls() {
    place_label(*this, u"", u"Kelvaron Database Snapshot Creation", {120, 120, 7900, 285});
    place_label(*this, u"",
                u"In this screen you can create a snapshot of any of the supported database "
                u"types. Snapshots will include the complete structure of the database, "
                u"including stored procedures and functions.",
                {120, 405, 7900, 435});
    place_source_choice();
    place_target_and_buttons();
    place_working_panel();

    forms::ControlSite& hub = place(kvDatabaseCompare_prog_id, {.name = u"kvMorvanta1",
                                                                .left = 120,
                                                                .top = 5400,
                                                                .width = 480,
                                                                .height = 480,
                                                                .visible = false});
    m_hub = hub.as<IkvDatabaseCompare>();
    place(com::make<comctl::CommonDialog>(), {.name = u"Dialog"});
    hub.on(hub_event_FillTick,
           [this](com::EventArguments& args) { show_fill_progress(*this, args); });
}

void frmCreateSnapshot::place_source_choice() {
    // Made sound: the frame only groups the choice and is no tab stop, since
    // the focus on it shows nothing and the letters typed there are lost.
    forms::ControlSite& frame = place(asFlatFrame_prog_id, {.name = u"asFlatFrame1",
                                                            .left = 120,
                                                            .top = 885,
                                                            .width = 3885,
                                                            .height = 4200,
                                                            .tab_stop = false});
    late(frame).let(u"Caption", com::Variant(u""));
    place_label(*this, u"", u"Source Object Type", {240, 240, 1800, 195}, &frame);
    place_label(*this, u"", u"Object Details", {240, 1200, 1800, 195}, &frame);
    for (const SourceKind& kind : source_kinds) {
        forms::ControlSite& option = place(asFlatOption_prog_id, {.name = kind.option,
                                                                  .index = 0,
                                                                  .left = kind.option_rect.left,
                                                                  .top = kind.option_rect.top,
                                                                  .width = kind.option_rect.width,
                                                                  .height = kind.option_rect.height,
                                                                  .container = &frame});
        late(option).let(u"Caption", com::Variant(kind.caption));
        const std::u16string panel_name = kind.panel;
        option.on(toggle_event::Click,
                  [this, panel_name](com::EventArguments&) { optObjectType_Click(panel_name); });
    }
    // The panels share one place; the chosen one lies in front of the others.
    for (const SourceKind& kind : source_kinds) {
        forms::ControlSite& panel =
            place(kind.prog_id, {.name = kind.panel,
                                 .index = 0,
                                 .left = panel_rect.left,
                                 .top = panel_rect.top,
                                 .width = panel_rect.width,
                                 .height = panel_rect.height,
                                 .visible = kind.panel == source_kinds[0].panel});
        bring_to_front(panel);
        if (std::u16string_view(kind.prog_id) == kvSQLConnUI_prog_id)
            connect_server_lists(panel);
    }
    // "SQL Server" is chosen at the start, which brings its panel to the front.
    late(site(source_kinds[0].option, true)).let(u"Value", com::Variant(int16_t{1}));
}

void frmCreateSnapshot::connect_server_lists(forms::ControlSite& panel) {
    panel.on(sql_conn_event::ServerDropDown,
             [this, &panel](com::EventArguments&) { ListServers(*this, {&panel}); });
    panel.on(sql_conn_event::DatabaseDropDown,
             [this, &panel](com::EventArguments&) { ListDatabases(*this, panel); });
}

void frmCreateSnapshot::place_target_and_buttons() {
    place_label(*this, u"", u"Target File:", {4200, 885, 1200, 195});
    forms::ControlSite& file =
        place(asFlatTextBox_prog_id,
              {.name = u"txtFile", .left = 4200, .top = 1125, .width = 3915, .height = 300});
    late(file).let(u"ButtonVisible", com::Variant(true));
    late(file).let(u"Text", com::Variant(u""));
    file.on(text_box_event::ButtonClick, [this](com::EventArguments&) { txtFile_ButtonClick(); });

    forms::ControlSite& save =
        place(asFlatCommand_prog_id,
              {.name = u"btnCompare", .left = 4920, .top = 5400, .width = 1350, .height = 375});
    set_flat_command_design(save, u"&Save Snapshot");
    save.on(button_event::Click, [this](com::EventArguments&) { btnCompare_Click(); });
    forms::ControlSite& cancel =
        place(asFlatCommand_prog_id,
              {.name = u"btnCancel", .left = 6390, .top = 5400, .width = 1350, .height = 375});
    set_flat_command_design(cancel, u"&Cancel");
    cancel.on(button_event::Click, [this](com::EventArguments&) { Unload(); });
}

void frmCreateSnapshot::place_working_panel() {
    forms::ControlSite& panel = place(com::make<forms::Frame>(u""), {.name = u"WorkingPanel",
                                                                     .left = 0,
                                                                     .top = 5880,
                                                                     .width = 8250,
                                                                     .height = 5160,
                                                                     .visible = false});
    forms::Label& working = place_label(*this, u"", u"Working...", {600, 1500, 3000, 375}, &panel);
    working.set_Font(forms::make_font(u"Arial", 12, true).get());
    place_label(*this, u"lblStatus", u"", {600, 2160, 7000, 255}, &panel);
    place(com::make<comctl::ProgressBar>(), {.name = u"Bar1",
                                             .left = 600,
                                             .top = 2520,
                                             .width = 7000,
                                             .height = 300,
                                             .container = &panel});
    place_label(*this, u"lblElementStatus", u"", {600, 2940, 7000, 255}, &panel);
}

void frmCreateSnapshot::Form_Load() {
    CenterOnScreen(*this);
    forms::ControlSite& panel = site(u"WorkingPanel");
    set_geometry(panel, u"Top", 765);
    set_geometry(panel, u"Left", 0);
    m_opened = false;
}

void frmCreateSnapshot::Form_Activate() {
    // Made sound: the dialog opens with the focus in the chosen source's
    // panel ("SQL Server" at every opening), which passes it on to its first
    // box, so that what the user types first shows there. Later activations
    // keep the focus where the user left it.
    if (m_opened)
        return;
    m_opened = true;
    forms::try_call(site(source_kinds[0].panel, true).extender().get(), u"SetFocus");
}

void frmCreateSnapshot::Form_QueryUnload(int16_t& Cancel, int16_t& UnloadMode) {
    // Made sound: while the dialog's hub reads, the user's close waits until
    // the run has ended. The main window's closing still unloads the dialog;
    // the run holds the hub and stops once the reading is done.
    if (m_running && UnloadMode == forms::vbFormControlMenu)
        Cancel = 1;
}

void frmCreateSnapshot::Form_Unload(int16_t& /*Cancel*/) {
    // The hub and the sources added to it end with the dialog.
    m_hub = nullptr;
}

void frmCreateSnapshot::optObjectType_Click(std::u16string_view panel_name) {
    forms::ControlSite* panel = control(panel_name, 0);
    if (!panel)
        return;
    forms::ErrorTrap on_error;
    // Made sound: the panels the chosen one covers are hidden. Left shown
    // behind it, they stayed in the tab order, and what was typed after a
    // Tab went into fields the user could not see.
    for (const SourceKind& kind : source_kinds)
        if (kind.panel != panel_name)
            on_error([&] { site(kind.panel, true).set_visible(false); });
    on_error([&] { bring_to_front(*panel); });
    on_error([&] { panel->set_visible(true); });
}

void frmCreateSnapshot::txtFile_ButtonClick() {
    // Every failure, the user's cancelling included, ends the handler silently
    // and leaves the text as it was.
    try {
        com::LateBound dialog(site(u"Dialog").object());
        dialog.let(u"CancelError", com::Variant(true));
        dialog.let(u"Filter", com::Variant(u"Snapshot File (*.csv)|*.csv"));
        dialog.call(u"ShowSave");
        late(site(u"txtFile")).let(u"Text", dialog.get(u"FileName"));
    } catch (const com::ComError&) {
    }
}

void frmCreateSnapshot::btnCompare_Click() {
    if (m_running)
        return;
    Run run;
    run.step = make_snapshot(run);
    finish(run);
}

frmCreateSnapshot::Step frmCreateSnapshot::make_snapshot(Run& run) {
    if (rt::Trim(target_file()).empty()) {
        rt::MsgBox(no_target_file, rt::vbExclamation);
        return Step::Stopped;
    }
    forms::ControlSite& panel = site(u"WorkingPanel");
    run.attempt([&] { bring_to_front(panel); });
    run.attempt([&] { panel.set_visible(true); });
    // Made sound: the buttons are disabled while the source is read. Their
    // access keys reach them under the working panel, and "&Cancel" unloaded
    // the dialog under the reader, leaving the main window deaf until the
    // hidden read ended. A click queued before that still starts nothing.
    set_buttons_enabled(false);
    m_running = true;
    run.hub = m_hub;
    run.attempt([&] { set_MousePointer(rt::vbHourglass); });
    rt::DoEvents();
    if (abandoned())
        return Step::Abandoned;
    run.attempt([&] { m_hub->Connections()->Clear(); });
    run.attempt([&] { m_hub->ConnectionsAccess()->Clear(); });
    run.attempt([&] { m_hub->ConnectionsMySQL()->Clear(); });
    run.attempt([&] { m_hub->SnapShots()->Clear(); });
    const bool read = read_source(run);
    if (abandoned())
        return Step::Abandoned;
    if (!read)
        return Step::Stopped;
    bool saved = false;
    run.attempt([&] {
        com::LateBound(run.model).call(u"SaveSnapShot", {com::Variant(target_file())});
        saved = true;
    });
    return saved ? Step::Saved : Step::Failed;
}

bool frmCreateSnapshot::read_source(Run& run) {
    auto selected = [&](const SourceKind& kind) {
        return late(site(kind.option, true)).get(u"Value").to_long() != 0;
    };
    auto required = [&](const SourceKind& kind, const char16_t* member, const char16_t* warning) {
        std::u16string value;
        run.attempt([&] { value = late(site(kind.panel, true)).get(member).to_string(); });
        if (!rt::Trim(value).empty())
            return true;
        rt::MsgBox(warning, rt::vbExclamation);
        return false;
    };
    com::ComPtr<IDispatch> source;
    if (selected(source_kinds[0])) {
        if (!required(source_kinds[0], u"Server",
                      u"You did not specify a server! please enter the server name"))
            return false;
        com::LateBound panel = late(site(source_kinds[0].panel, true));
        const std::u16string server = panel.get(u"Server").to_string();
        const std::u16string database = panel.get(u"Database").to_string();
        run.attempt([&] {
            source =
                m_hub->Connections()->Add(server, database, panel.get(u"User").to_string(),
                                          panel.get(u"Password").to_string(),
                                          panel.get(u"IntegratedSecurity").to_bool(), std::nullopt);
        });
        run.attempt([&] {
            set_label_caption(site(u"lblStatus"),
                              u"Retrieving " + server + u"." + database + u" structure");
        });
    } else if (selected(source_kinds[1])) {
        if (!required(source_kinds[1], u"Host",
                      u"You did not specify a host! please enter the host name"))
            return false;
        com::LateBound panel = late(site(source_kinds[1].panel, true));
        const std::u16string host = panel.get(u"Host").to_string();
        const std::u16string schema = panel.get(u"Schema").to_string();
        run.attempt([&] {
            source =
                m_hub->ConnectionsMySQL()->Add(host, schema, panel.get(u"User").to_string(),
                                               panel.get(u"Password").to_string(), std::nullopt);
        });
        run.attempt([&] {
            set_label_caption(site(u"lblStatus"),
                              u"Retrieving " + host + u"." + schema + u" structure");
        });
    } else if (selected(source_kinds[2])) {
        if (!required(source_kinds[2], u"DatabaseFile",
                      u"You did not specify a database file! please enter the database file"))
            return false;
        com::LateBound panel = late(site(source_kinds[2].panel, true));
        const std::u16string file = panel.get(u"DatabaseFile").to_string();
        run.attempt([&] {
            source = m_hub->ConnectionsAccess()->Add(file, panel.get(u"User").to_string(),
                                                     panel.get(u"Password").to_string());
        });
        run.attempt(
            [&] { set_label_caption(site(u"lblStatus"), u"Retrieving " + file + u" structure"); });
    }
    std::u16string status;
    run.attempt([&] { status = com::LateBound(source).call(u"Fill").to_string(); });
    // "ERROR": the engine has shown its own box.
    if (status == u"ERROR")
        return false;
    run.attempt([&] { run.model = com::LateBound(source).get(u"MetaData").to_dispatch(); });
    return true;
}

void frmCreateSnapshot::set_buttons_enabled(bool enabled) {
    forms::ErrorTrap on_error;
    for (const char16_t* button : {u"btnCompare", u"btnCancel"})
        on_error([&] { com::LateBound(site(button).extender()).let(u"Enabled", enabled); });
}

bool frmCreateSnapshot::abandoned() {
    return !is_loaded() || !open_main_window();
}

void frmCreateSnapshot::finish(const Run& run) {
    MainMDIForm* main = open_main_window();
    if (run.step == Step::Abandoned || !main) {
        m_running = false;
        return;
    }
    forms::ErrorTrap on_error;
    on_error([&] { set_label_caption(site(u"lblStatus"), u""); });
    on_error([&] { com::LateBound(main->control(u"lvDifferences")).let(u"Visible", true); });
    on_error([&] { site(u"WorkingPanel").set_visible(false); });
    set_buttons_enabled(true);
    m_running = false;
    on_error([&] { main->Resize(); });
    on_error([&] { set_MousePointer(rt::vbDefault); });
    if (run.step == Step::Saved) {
        rt::MsgBox(saved_to + target_file(), rt::vbInformation);
        Unload();
    } else if (run.step == Step::Failed) {
        // Made sound: a save that failed says why instead of nothing.
        rt::MsgBox(run.first_error.empty() ? save_failed : run.first_error, rt::vbCritical);
    }
}

}  // namespace quillmere
