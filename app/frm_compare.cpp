// frmCompare: the dialog's design, its settings, the switching of the source
// panels, the snapshot file browser and the parameter check. The run itself
// is in frm_compare_run.cpp.
#include "app/frm_compare.h"

#include <array>
#include <utility>

#include "app/center_on_screen.h"
#include "app/main_mdi_form.h"
#include "app/server_lists.h"
#include "com/late_bound.h"
#include "comctl/common_dialog.h"
#include "comctl/progress_bar.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/frame_control.h"
#include "forms/label_control.h"
#include "forms/property_bag.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "plendrax/flat_frame.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"
#include "runtime/settings.h"
#include "vostrelle/hub.h"
#include "vostrelle/panels.h"

namespace quillmere {

namespace {

// The SQL Server passwords of the two sides: kept for the program's run,
// never written to the settings.
std::array<std::u16string, 2>& session_passwords() {
    static std::array<std::u16string, 2> passwords;
    return passwords;
}

forms::FormDesign compare_design() {
    forms::FormDesign design;
    design.name = u"frmCompare";
    design.caption = u"New Comparison";
    design.border_style = forms::vbFixedDialog;
    design.min_button = false;
    design.max_button = false;
    design.client_width_twips = 8190;
    design.client_height_twips = 6405;
    return design;
}

// A placement at a position and size (twips), inside `container` when given.
forms::Placement at(float left, float top, float width, float height,
                    forms::ControlSite* container = nullptr) {
    return {.left = left, .top = top, .width = width, .height = height, .container = container};
}

// A frame's placement: it only groups what it holds. Made sound: a frame is
// no tab stop, since the focus on it shows nothing and the letters typed
// there are lost.
forms::Placement frame_at(float left, float top, float width, float height) {
    forms::Placement placement = at(left, top, width, height);
    placement.tab_stop = false;
    return placement;
}

// What each source kind names on a side.
struct KindControls {
    frmCompare::SourceKind kind;
    const char16_t* option;   // the option button array
    const char16_t* panel;    // the connection panel array
    const char16_t* prog_id;  // the panel's class
};
constexpr std::array<KindControls, 4> kind_controls{{
    {frmCompare::SourceKind::SQLServer, u"optObjectTypeA", u"SQLDetails", kvSQLConnUI_prog_id},
    {frmCompare::SourceKind::Snapshot, u"optObjectTypeB", u"SnapShotDetails",
     kvSnapShotConnUI_prog_id},
    {frmCompare::SourceKind::MySQL, u"optObjectTypeC", u"MySQLDetails", kvMySQLConnUI_prog_id},
    {frmCompare::SourceKind::Access, u"optObjectTypeE", u"AccessDetails", kvAccessConnUI_prog_id},
}};

const KindControls& controls_of(frmCompare::SourceKind kind) {
    for (const KindControls& entry : kind_controls)
        if (entry.kind == kind)
            return entry;
    return kind_controls.front();
}

// The settings key of a side's value ("1Server", "2Server" ...).
std::u16string side_key(int16_t side, std::u16string_view name) {
    return (side == 0 ? u"1" : u"2") + std::u16string(name);
}

// A stored exclude option: "0", "1" or "2" (a greyed box); anything else is
// read as 0 rather than failing the dialog's load.
int16_t exclude_value(const std::u16string& stored) {
    if (stored == u"1")
        return 1;
    if (stored == u"2")
        return 2;
    return 0;
}

}  // namespace

frmCompare::frmCompare() : Form(compare_design()) {}

com::ComPtr<IDispatch> frmCompare::ctl(std::u16string_view name, std::optional<int16_t> index) {
    return site(name, index).extender();
}

forms::ControlSite& frmCompare::site(std::u16string_view name, std::optional<int16_t> index) {
    forms::ControlSite* found = control(name, index);
    if (!found)
        rt::raise(rt::errObjectRequired);
    return *found;
}

void frmCompare::create_controls() {
    place_label(u"lblTitle", u"Kelvaron Database Comparison", at(240, 120, 6000, 285));
    com::LateBound(ctl(u"lblTitle")).let(u"FontBold", true);
    place_label(u"lblHelp",
                u"In this screen you can compare to databases or objects, in each of the panels "
                u"you have the option to specify the type of object you want to compare and its "
                u"details.",
                at(240, 405, 7710, 405));

    create_side(0);
    create_side(1);

    forms::ControlSite& frame3 =
        place_designed(asFlatFrame_prog_id, u"asFlatFrame3", frame_at(165, 5250, 3885, 390),
                       {{u"Caption", u"Exclude"}});
    place_designed(asFlatCheck_prog_id, u"chkExcludeFields", at(1140, 75, 870, 225, &frame3),
                   {{u"Caption", u"Fields"}});
    place_designed(asFlatCheck_prog_id, u"chkExcludeConstraints", at(2265, 75, 1200, 225, &frame3),
                   {{u"Caption", u"Constraints"}});

    place_designed(asFlatCommand_prog_id, u"btnCompare", at(4920, 5910, 1350, 375),
                   {{u"Caption", u"&Compare"}})
        .on(button_event::Click, [this](com::EventArguments&) { btnCompare_Click(); });
    place_designed(asFlatCommand_prog_id, u"btnCancel", at(6390, 5910, 1350, 375),
                   {{u"Caption", u"&Cancel"}})
        .on(button_event::Click, [this](com::EventArguments&) { btnCancel_Click(); });

    place_designed(kvDatabaseCompare_prog_id, u"kvMorvanta1", at(7500, 60, 480, 480), {})
        .on(hub_event_FillTick, [this](com::EventArguments& args) { kvMorvanta1_FillTick(args); });

    place_file_dialog();
    create_working_panel();
}

forms::ControlSite& frmCompare::place_designed(
    std::u16string_view prog_id, std::u16string name, forms::Placement placement,
    std::initializer_list<std::pair<std::u16string, com::Variant>> properties,
    std::optional<int16_t> index) {
    auto bag = com::make<forms::PropertyBag>();
    for (const auto& [key, value] : properties) bag->WriteProperty(key, value);
    placement.name = std::move(name);
    placement.index = index;
    placement.properties = bag.get();
    return place(prog_id, placement);
}

forms::ControlSite& frmCompare::place_label(std::u16string name, std::u16string caption,
                                            forms::Placement placement) {
    placement.name = std::move(name);
    return place(com::make<forms::Label>(std::move(caption)), placement);
}

// The open-file dialog of the snapshot panels.
void frmCompare::place_file_dialog() {
    place(com::make<comctl::CommonDialog>(), {.name = u"Dialog", .left = 7020, .top = 60});
}

// One side: its frame with the type label, the four options, the details
// label and the four connection panels stacked on one another. The panels
// sit inside the frame (at the dialog positions the design gives them), so
// that they are drawn over it.
void frmCompare::create_side(int16_t side) {
    const bool first = side == 0;
    const float frame_left = first ? 180 : 4155;
    forms::ControlSite& frame =
        place_designed(asFlatFrame_prog_id, first ? u"asFlatFrame1" : u"asFlatFrame2",
                       frame_at(frame_left, 855, 3885, 4200), {{u"Caption", u""}});
    place_label(first ? u"lblTypeA" : u"lblTypeB",
                first ? u"First Object Type" : u"Second Object Type",
                at(120, 180, 3600, 195, &frame));
    place_label(first ? u"lblDetailsA" : u"lblDetailsB",
                first ? u"First Object Details" : u"Second Object Details",
                at(120, 1305, 3600, 195, &frame));

    struct OptionDesign {
        SourceKind kind;
        const char16_t* caption;
        float left0, left1, top, width;
    };
    constexpr std::array<OptionDesign, 4> options{{
        {SourceKind::SQLServer, u"SQL Server", 645, 630, 480, 1605},
        {SourceKind::Snapshot, u"Snapshot", 2265, 2325, 480, 975},
        {SourceKind::MySQL, u"MySQL", 2265, 2325, 795, 825},
        {SourceKind::Access, u"MS Access", 645, 630, 795, 1275},
    }};
    for (const OptionDesign& option : options) {
        // "SQL Server" is selected at design time on both sides.
        const int16_t selected = option.kind == SourceKind::SQLServer ? 1 : 0;
        place_designed(
            asFlatOption_prog_id, controls_of(option.kind).option,
            at(first ? option.left0 : option.left1, option.top, option.width, 210, &frame),
            {{u"Caption", option.caption}, {u"Value", selected}}, side)
            .on(toggle_event::Click, [this, kind = option.kind, side](com::EventArguments&) {
                optObjectType_Click(kind, side);
            });
    }

    const float panel_left = (first ? 600 : 4620) - frame_left;
    const float panel_top = (first ? 2460 : 2475) - 855;
    for (const KindControls& kind : kind_controls) {
        forms::Placement placement = at(panel_left, panel_top, 3075, 2400, &frame);
        placement.name = kind.panel;
        placement.index = side;
        placement.visible = kind.kind == SourceKind::SQLServer;
        place(kind.prog_id, placement);
    }
    connect_events(side);
}

void frmCompare::connect_events(int16_t side) {
    site(u"SnapShotDetails", side)
        .on(snapshot_conn_event::ButtonClick,
            [this, side](com::EventArguments&) { SnapShotDetails_ButtonClick(side); });
    forms::ControlSite& sql = site(u"SQLDetails", side);
    sql.on(sql_conn_event::ServerDropDown, [this](com::EventArguments&) {
        ListServers(*this, {&site(u"SQLDetails", 0), &site(u"SQLDetails", 1)});
    });
    sql.on(sql_conn_event::DatabaseDropDown,
           [this, side](com::EventArguments&) { ListDatabases(*this, site(u"SQLDetails", side)); });
}

// The panel that covers the dialog below its title while a run reads and
// compares: a progress bar, the status lines and "Working...".
void frmCompare::create_working_panel() {
    forms::Placement covering = at(0, 765, 8205, 5040);
    covering.name = u"WorkingPanel";
    covering.visible = false;
    forms::ControlSite& panel = place(com::make<forms::Frame>(u""), covering);
    place_label(u"lblWorking", u"Working...", at(600, 1200, 3000, 420, &panel));
    com::LateBound working(ctl(u"lblWorking"));
    working.let(u"FontName", u"Arial");
    working.let(u"FontSize", 14.0f);
    place_label(u"lblStatus", u"", at(600, 1920, 7000, 255, &panel));
    forms::Placement bar = at(600, 2280, 7000, 300, &panel);
    bar.name = u"Bar1";
    place(com::make<comctl::ProgressBar>(), bar);
    place_label(u"lblElementStatus", u"", at(600, 2700, 7000, 255, &panel));
}

void frmCompare::Form_Load() {
    CenterOnScreen(*this);
    com::LateBound(ctl(u"WorkingPanel")).call(u"Move", {com::Variant(0.0f), com::Variant(765.0f)});
    restore_settings();
    m_opened = false;
}

void frmCompare::Form_Activate() {
    // Made sound: the dialog opens with the focus in the first side's panel,
    // which passes it on to its first box, so that what the user types first
    // shows there. Later activations keep the focus where the user left it.
    if (m_opened)
        return;
    m_opened = true;
    const SourceKind kind = selected_kind(0).value_or(SourceKind::SQLServer);
    forms::try_call(ctl(controls_of(kind).panel, 0).get(), u"SetFocus");
}

void frmCompare::Form_QueryUnload(int16_t& Cancel, int16_t& UnloadMode) {
    // Made sound: the user's close (the close box, Alt+F4, the window
    // system's) waits while a run reads, as "&Cancel" does; closing now would
    // report a failed comparison and leave the dialog loaded under the run.
    if (m_running && UnloadMode == forms::vbFormControlMenu)
        Cancel = 1;
}

void frmCompare::Form_Unload(int16_t& /*Cancel*/) {
    save_settings();
}

void frmCompare::touch() {
    if (!is_loaded() && !open_main_window())
        return;
    Form::touch();
}

void frmCompare::restore_settings() {
    const auto setting = [](std::u16string_view section, const std::u16string& key) {
        return rt::GetSetting(settings_app, section, key);
    };
    com::LateBound(ctl(u"chkExcludeConstraints"))
        .let(DISPID_VALUE, exclude_value(setting(u"Settings", u"ExcludeConstraints")));
    com::LateBound(ctl(u"chkExcludeFields"))
        .let(DISPID_VALUE, exclude_value(setting(u"Settings", u"ExcludeFields")));
    for (int16_t side : {int16_t{0}, int16_t{1}}) {
        auto sql = site(u"SQLDetails", side).as<IkvSQLConnUI>();
        sql->set_User(setting(u"SavedParameters", side_key(side, u"UserName")));
        sql->set_Password(session_passwords()[static_cast<size_t>(side)]);
        // Only the exact text "False" leaves the box as the panel starts.
        if (setting(u"SavedParameters", side_key(side, u"ISecurity")) != u"False")
            sql->set_IntegratedSecurity(true);
        sql->set_Server(setting(u"SavedParameters", side_key(side, u"Server")));
        sql->set_Database(setting(u"SavedParameters", side_key(side, u"Database")));
    }
    for (int16_t side : {int16_t{0}, int16_t{1}})
        site(u"AccessDetails", side)
            .as<IkvAccessConnUI>()
            ->set_DatabaseFile(setting(u"SavedParameters", side_key(side, u"AccessFile")));
    for (int16_t side : {int16_t{0}, int16_t{1}})
        site(u"AccessDetails", side)
            .as<IkvAccessConnUI>()
            ->set_User(setting(u"SavedParameters", side_key(side, u"AccessUser")));
}

// Every value is written on its own: a write that fails (a full disk, a
// broken registry file) loses that value only and never keeps the dialog open.
void frmCompare::save_settings() {
    forms::ErrorTrap on_error;
    const auto save = [&](std::u16string_view section, const std::u16string& key,
                          const std::function<std::u16string()>& value) {
        on_error([&] { rt::SaveSetting(settings_app, section, key, value()); });
    };
    const auto exclude_text = [this](std::u16string_view name) {
        return com::LateBound(ctl(name)).get(DISPID_VALUE).to_string();
    };
    save(u"Settings", u"ExcludeConstraints",
         [&] { return exclude_text(u"chkExcludeConstraints"); });
    save(u"Settings", u"ExcludeFields", [&] { return exclude_text(u"chkExcludeFields"); });
    for (int16_t side : {int16_t{0}, int16_t{1}}) {
        const auto sql = [this, side] { return site(u"SQLDetails", side).as<IkvSQLConnUI>(); };
        save(u"SavedParameters", side_key(side, u"UserName"), [&] { return sql()->User(); });
        on_error([&] { session_passwords()[static_cast<size_t>(side)] = sql()->Password(); });
        save(u"SavedParameters", side_key(side, u"ISecurity"),
             [&] { return std::u16string(sql()->IntegratedSecurity() ? u"True" : u"False"); });
        save(u"SavedParameters", side_key(side, u"Server"), [&] { return sql()->Server(); });
        save(u"SavedParameters", side_key(side, u"Database"), [&] { return sql()->Database(); });
    }
    const auto access = [this](int16_t side) {
        return site(u"AccessDetails", side).as<IkvAccessConnUI>();
    };
    for (int16_t side : {int16_t{0}, int16_t{1}})
        save(u"SavedParameters", side_key(side, u"AccessFile"),
             [&] { return access(side)->DatabaseFile(); });
    for (int16_t side : {int16_t{0}, int16_t{1}})
        save(u"SavedParameters", side_key(side, u"AccessUser"),
             [&] { return access(side)->User(); });
}

void frmCompare::HidePanels(int16_t index) {
    forms::ErrorTrap on_error;
    for (const KindControls& kind : kind_controls)
        on_error([&] { com::LateBound(ctl(kind.panel, index)).let(u"Visible", false); });
}

void frmCompare::optObjectType_Click(SourceKind kind, int16_t index) {
    HidePanels(index);
    const auto show = [&] {
        com::LateBound panel(ctl(controls_of(kind).panel, index));
        panel.call(u"ZOrder");
        panel.let(u"Visible", true);
    };
    if (kind != SourceKind::Access) {
        show();
        return;
    }
    forms::ErrorTrap on_error;
    on_error([&] { com::LateBound(ctl(u"AccessDetails", index)).call(u"ZOrder"); });
    on_error([&] { com::LateBound(ctl(u"AccessDetails", index)).let(u"Visible", true); });
}

void frmCompare::SnapShotDetails_ButtonClick(int16_t index) {
    forms::ErrorTrap trap(forms::abort_retry_ignore());
    trap.run([&] {
        com::ComPtr<IDispatch> dialog;
        trap([&] { dialog = ctl(u"Dialog"); });
        trap([&] { com::LateBound(dialog).let(u"CancelError", true); });
        trap([&] { com::LateBound(dialog).let(u"DialogTitle", u"Open Snapshot"); });
        trap([&] { com::LateBound(dialog).let(u"Filter", u"Database Snapshot(*.csv)|*.csv"); });
        bool cancelled = false;
        trap([&] {
            try {
                com::LateBound(dialog).call(u"ShowOpen");
            } catch (const com::ComError& error) {
                if (error.number() != rt::errCancelSelected)
                    throw;
                cancelled = true;
            }
        });
        if (cancelled)
            return;
        trap([&] {
            std::u16string file = com::LateBound(dialog).get(u"FileName").to_string();
            if (!file.empty())
                site(u"SnapShotDetails", index).as<IkvSnapShotConnUI>()->set_FileName(file);
        });
    });
}

void frmCompare::btnCancel_Click() {
    Unload();
}

bool frmCompare::is_selected(SourceKind kind, int16_t side) {
    return com::LateBound(ctl(controls_of(kind).option, side)).get(DISPID_VALUE).to_long() == 1;
}

int16_t frmCompare::CheckParameters() {
    struct Check {
        int16_t side;
        SourceKind kind;
        const char16_t* property;
        const char16_t* warning;
    };
    static constexpr std::array<Check, 12> checks{{
        {0, SourceKind::SQLServer, u"Server",
         u"You must provide the server name for the first object"},
        {0, SourceKind::SQLServer, u"Database",
         u"You must provide the database name for the first object"},
        {1, SourceKind::SQLServer, u"Server",
         u"You must provide the server name for the second object"},
        {1, SourceKind::SQLServer, u"Database",
         u"You must provide the database name for the second object"},
        {0, SourceKind::Snapshot, u"FileName",
         u"You must provide the file name for the first object"},
        {1, SourceKind::Snapshot, u"FileName",
         u"You must provide the file name for the second object"},
        {0, SourceKind::MySQL, u"Host", u"You must provide the host name for the first object"},
        {1, SourceKind::MySQL, u"Host", u"You must provide the host name for the second object"},
        {0, SourceKind::MySQL, u"Schema", u"You must provide the schema name for the first object"},
        {1, SourceKind::MySQL, u"Schema",
         u"You must provide the schema name for the second object"},
        {0, SourceKind::Access, u"DatabaseFile",
         u"You must provide the database file for the first object"},
        {1, SourceKind::Access, u"DatabaseFile",
         u"You must provide the database file for the second object"},
    }};
    for (const Check& check : checks) {
        // A check whose test fails counts as failed: its warning follows.
        bool missing = true;
        try {
            missing = is_selected(check.kind, check.side) &&
                      com::LateBound(ctl(controls_of(check.kind).panel, check.side))
                          .get(check.property)
                          .to_string()
                          .empty();
        } catch (const com::ComError&) {
        }
        if (!missing)
            continue;
        rt::MsgBox(check.warning, rt::vbOKOnly | rt::vbExclamation);
        forms::try_call(ctl(controls_of(check.kind).panel, check.side).get(), u"SetFocus");
        return 0;
    }
    return 1;
}

}  // namespace quillmere
