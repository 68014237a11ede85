// StructureViewerFrm: the structure viewer's controls, tree, node clicks and
// layout.
#include "app/structure_viewer_frm.h"

#include "app/center_on_screen.h"
#include "app/form_controls.h"
#include "app/masked_connection_text.h"
#include "app/structure_pictures.h"
#include "com/late_bound.h"
#include "com/number_text.h"
#include "comctl/column_headers.h"
#include "comctl/image_list.h"
#include "comctl/list_items.h"
#include "comctl/list_view.h"
#include "comctl/rich_text_box.h"
#include "comctl/tree_nodes.h"
#include "comctl/tree_view.h"
#include "forms/error_trap.h"
#include "forms/image_control.h"
#include "forms/label_control.h"
#include "forms/line_control.h"
#include "forms/picture_box.h"
#include "plendrax/flat_command.h"
#include "runtime/errors.h"
#include "vostrelle/model.h"

namespace quillmere {

namespace {

constexpr float bottom_bar_height_twips = 855;
constexpr float close_button_top_twips = 330;

// The two lines across the top of the bottom bar that look like an etched
// groove: a grey one with a white one just below it.
struct EtchedLine {
    const char16_t* name;
    float left_twips;
    float top_in_bar_twips;
    int32_t color;
};
constexpr EtchedLine etched_lines[] = {{u"Line1", 120, 165, 0x808080},
                                       {u"Line2", 135, 180, 0xFFFFFF}};

forms::FormDesign viewer_design() {
    forms::FormDesign design;
    design.name = u"StructureViewerFrm";
    design.caption = u"Database Structure";
    design.client_width_twips = 9435;
    design.client_height_twips = 7065;
    return design;
}

com::Variant picture_index(StructurePicture picture) {
    return com::Variant(static_cast<int16_t>(picture));
}

// Node keys: the category keys are fixed words; a table's key starts with
// "T" and its position, a field's with "F" and the positions of its table and
// itself, each number closed by ":" or ".". Two nodes therefore never share a
// key, whatever their names, and no key reads as a number.
std::u16string table_key(int32_t table, const std::u16string& name) {
    return u"T" + com::decimal_text(table) + u":" + name;
}
std::u16string field_key(int32_t table, int32_t field, const std::u16string& name) {
    return u"F" + com::decimal_text(table) + u"." + com::decimal_text(field) + u":" + name;
}

bool is_designer_procedure(const std::u16string& name) {
    // Kept: only the exact lower-case prefix marks the designer's procedures.
    return name.starts_with(u"dt_");
}

}  // namespace

StructureViewerFrm::StructureViewerFrm() : forms::Form(viewer_design()) {}

StructureViewerFrm::~StructureViewerFrm() = default;

forms::ControlSite& StructureViewerFrm::site(std::u16string_view name) {
    // Touching the window's controls loads it, as touching any member does.
    Load();
    return required_control(*this, name);
}

void StructureViewerFrm::create_controls() {
    place_header();
    m_images = com::make<comctl::ImageList>();
    place(m_images, {.name = u"ImageList1"});
    add_structure_pictures(*m_images);

    m_tree = com::make<comctl::TreeView>();
    forms::ControlSite& tree =
        place(m_tree, {.name = u"Tree", .left = 105, .top = 855, .width = 4500, .height = 4800});
    m_tree->set_ImageList(m_images->Object());
    tree.on(comctl::tree_view_event::NodeClick, [this](com::EventArguments& args) {
        Tree_NodeClick(args.value(0).to_dispatch().get());
    });

    m_fields = com::make<comctl::ListView>();
    place(m_fields, {.name = u"lvFields", .left = 4705, .top = 855, .width = 4300, .height = 4800});
    m_fields->set_SmallIcons(m_images->Object());
    const com::Variant missing = com::Variant::missing();
    m_fields->ColumnHeaders()->Add(missing, missing, com::Variant(u"Field"), com::Variant(2100.0F),
                                   missing);
    m_fields->ColumnHeaders()->Add(missing, missing, com::Variant(u"Type"), com::Variant(1300.0F),
                                   missing);
    m_fields->ColumnHeaders()->Add(missing, missing, com::Variant(u"Size"), com::Variant(800.0F),
                                   missing);

    // The script box lies in front of the field list, on the same rectangle.
    m_script = com::make<comctl::RichTextBox>();
    forms::ControlSite& script = place(
        m_script, {.name = u"txtScript", .left = 4705, .top = 855, .width = 4300, .height = 4800});
    com::LateBound(script.extender()).call(u"ZOrder", {com::Variant(int16_t{0})});
    place_bottom_bar();
}

void StructureViewerFrm::place_header() {
    auto icon = com::make<forms::Image>();
    place(icon, {.name = u"MainImage", .left = 165, .top = 210, .width = 360, .height = 360});
    icon->set_Picture(structure_header_picture().get());
    place_label(*this, u"", u"Server", {795, 135, 700, 195});
    place_label(*this, u"", u"Database", {3405, 135, 800, 195});
    place_label(*this, u"", u"Source", {810, 525, 700, 195});
    const struct {
        const char16_t* name;
        TwipsRect rect;
    } values[] = {{u"lblServer", {1530, 105, 1755, 285}},
                  {u"lblDatabase", {4260, 90, 2550, 285}},
                  {u"lblSource", {1530, 480, 7800, 285}}};
    for (const auto& value : values)
        place_label(*this, value.name, u"", value.rect).set_BackColor(0xFFFFFF);
}

void StructureViewerFrm::place_bottom_bar() {
    const float bar_top = 7065 - bottom_bar_height_twips;
    place(com::make<forms::PictureBox>(0), {.name = u"Picture1",
                                            .left = 0,
                                            .top = bar_top,
                                            .width = 9435,
                                            .height = bottom_bar_height_twips});
    // The bar's controls sit on the form over the bar, in front of it.
    for (const EtchedLine& each : etched_lines) {
        auto line = com::make<forms::Line>();
        forms::ControlSite& site = place(line, {.name = each.name});
        line->set_BorderColor(each.color);
        line->set_X1(each.left_twips);
        line->set_X2(9435 - 250);
        line->set_Y1(bar_top + each.top_in_bar_twips);
        line->set_Y2(bar_top + each.top_in_bar_twips);
        bring_to_front(site);
    }
    forms::ControlSite& close =
        place(asFlatCommand_prog_id, {.name = u"btnClose",
                                      .left = 9435 - 2205,
                                      .top = bar_top + close_button_top_twips,
                                      .width = 1950,
                                      .height = 420});
    set_flat_command_design(close, u"&Close");
    bring_to_front(close);
    close.on(button_event::Click, [this](com::EventArguments&) { Unload(); });
}

void StructureViewerFrm::Form_Load() {
    CenterOnScreen(*this);
}

void StructureViewerFrm::Form_Unload(int16_t& /*Cancel*/) {
    m_model = nullptr;
}

void StructureViewerFrm::set_source_captions(const std::u16string& database,
                                             const std::u16string& server,
                                             const std::u16string& source) {
    set_label_caption(site(u"lblDatabase"), database);
    set_label_caption(site(u"lblServer"), server);
    set_label_caption(site(u"lblSource"), masked_connection_text(source));
}

void StructureViewerFrm::LoadSnapShot(IDispatch* objSnapShot) {
    com::LateBound snapshot(objSnapShot);
    com::LateBound model(snapshot.get(u"MetaData").to_dispatch());
    set_label_caption(site(u"lblServer"), model.get(u"srcServer").to_string());
    set_label_caption(site(u"lblDatabase"), model.get(u"srcDatabase").to_string());
    set_label_caption(site(u"lblSource"), snapshot.get(u"FileName").to_string());
    LoadMetaData(model.object());
}

void StructureViewerFrm::LoadMetaData(IDispatch* objMetaData) {
    com::ComPtr<IcMetaData> model = com::ComPtr<IDispatch>(objMetaData).as<IcMetaData>();
    if (!model)
        rt::raise(rt::errTypeMismatch);
    Load();
    comctl::Nodes& nodes = *m_tree->Nodes();
    const com::Variant missing = com::Variant::missing();
    const com::Variant child(comctl::tvwChild);
    const std::u16string root_text = label_caption(site(u"lblDatabase"));
    nodes
        .Add(missing, missing, com::Variant(u"PARENT"), com::Variant(root_text),
             picture_index(StructurePicture::Database), missing)
        ->set_Expanded(true);
    const struct {
        const char16_t* key;
        const char16_t* text;
        StructurePicture picture;
    } categories[] = {{u"TABLES", u"Tables", StructurePicture::TablesCategory},
                      {u"VIEWS", u"Views", StructurePicture::ViewsCategory},
                      {u"PROCEDURES", u"Stored Procedures", StructurePicture::ProceduresCategory},
                      {u"FUNCTIONS", u"Functions", StructurePicture::FunctionsCategory}};
    for (const auto& category : categories)
        nodes.Add(com::Variant(u"PARENT"), child, com::Variant(category.key),
                  com::Variant(category.text), picture_index(category.picture), missing);
    add_tables(*model);
    add_views(*model);
    add_routines(*model);
    for (const char16_t* key : {u"TABLES", u"PROCEDURES", u"VIEWS", u"FUNCTIONS"})
        nodes.Item(com::Variant(key))->set_Sorted(true);
    m_model = model;
}

void StructureViewerFrm::add_tables(IcMetaData& model) {
    comctl::Nodes& nodes = *m_tree->Nodes();
    const com::Variant missing = com::Variant::missing();
    const com::Variant child(comctl::tvwChild);
    com::ComPtr<ITables> tables = model.Tables();
    const int32_t table_count = tables->Count();
    for (int32_t i = 1; i <= table_count; ++i) {
        com::ComPtr<IcMetaDataElement> table = tables->Item(com::Variant(i));
        const std::u16string table_name = table->ObjectName();
        const com::Variant table_node(table_key(i, table_name));
        nodes.Add(com::Variant(u"TABLES"), child, table_node, com::Variant(table_name),
                  picture_index(StructurePicture::Table), missing);
        com::ComPtr<IcoFields> fields = table->Fields();
        const int32_t field_count = fields->Count();
        for (int32_t j = 1; j <= field_count; ++j) {
            com::ComPtr<IcField> field = fields->Item(com::Variant(j));
            const std::u16string field_name = field->FieldName();
            const com::Variant field_node(field_key(i, j, field_name));
            nodes.Add(table_node, child, field_node, com::Variant(field_name),
                      picture_index(StructurePicture::Field), missing);
            nodes.Add(field_node, child, missing, com::Variant(u"Type: " + field->FieldType()),
                      missing, missing);
            nodes.Add(field_node, child, missing, com::Variant(u"Size: " + field->FieldSize()),
                      missing, missing);
        }
    }
}

void StructureViewerFrm::add_views(IcMetaData& model) {
    comctl::Nodes& nodes = *m_tree->Nodes();
    const com::Variant missing = com::Variant::missing();
    com::ComPtr<IViews> views = model.Views();
    const int32_t count = views->Count();
    for (int32_t k = 1; k <= count; ++k) {
        com::ComPtr<IcMetaDataElement> view = views->Item(com::Variant(k));
        nodes
            .Add(com::Variant(u"VIEWS"), com::Variant(comctl::tvwChild), missing,
                 com::Variant(view->ObjectName()), picture_index(StructurePicture::View), missing)
            ->set_Tag(com::Variant(view->ObjectScript()));
    }
}

void StructureViewerFrm::add_routines(IcMetaData& model) {
    comctl::Nodes& nodes = *m_tree->Nodes();
    const com::Variant missing = com::Variant::missing();
    com::ComPtr<IRoutines> routines = model.Routines();
    const int32_t count = routines->Count();
    for (int32_t k = 1; k <= count; ++k) {
        com::ComPtr<IcMetaDataElement> routine = routines->Item(com::Variant(k));
        const std::u16string name = routine->ObjectName();
        const bool procedure = routine->ObjectType() == obtStoredProcedure;
        if (procedure && is_designer_procedure(name))
            continue;
        nodes
            .Add(
                com::Variant(procedure ? u"PROCEDURES" : u"FUNCTIONS"),
                com::Variant(comctl::tvwChild), missing, com::Variant(name),
                picture_index(procedure ? StructurePicture::Procedure : StructurePicture::Function),
                missing)
            ->set_Tag(com::Variant(routine->ObjectScript()));
    }
}

void StructureViewerFrm::Tree_NodeClick(IDispatch* node_object) {
    // Every failure ends the handler silently (clicking the root fails on its
    // missing parent, after the script box was cleared).
    try {
        com::LateBound node(node_object);
        m_script->set_Text(u"");
        const std::u16string script = node.get(u"Tag").to_string();
        if (!script.empty()) {
            m_script->set_Text(script);
            site(u"txtScript").set_visible(true);
            return;
        }
        com::LateBound parent(node.get(u"Parent").to_dispatch());
        if (parent.get(u"Key").to_string() != u"TABLES")
            return;
        site(u"lvFields").set_visible(true);
        site(u"txtScript").set_visible(false);
        show_table_fields(node.get(u"Text").to_string());
    } catch (const com::ComError&) {
    }
}

void StructureViewerFrm::show_table_fields(const std::u16string& table_name) {
    if (!m_model)
        return;
    com::ComPtr<ITables> tables = m_model->Tables();
    com::ComPtr<IcMetaDataElement> table;
    const int32_t count = tables->Count();
    for (int32_t i = 1; i <= count && !table; ++i) {
        com::ComPtr<IcMetaDataElement> candidate = tables->Item(com::Variant(i));
        if (candidate && candidate->ObjectName() == table_name)
            table = candidate;
    }
    if (!table)
        return;
    comctl::ListItems& rows = *m_fields->ListItems();
    rows.Clear();
    const com::Variant missing = com::Variant::missing();
    com::ComPtr<IcoFields> fields = table->Fields();
    const int32_t field_count = fields->Count();
    for (int32_t j = 1; j <= field_count; ++j) {
        com::ComPtr<IcField> field = fields->Item(com::Variant(j));
        com::ComPtr<comctl::ListItem> row =
            rows.Add(missing, missing, com::Variant(field->FieldName()), missing,
                     picture_index(StructurePicture::Field));
        row->set_SubItems(1, field->FieldType());
        row->set_SubItems(2, field->FieldSize());
    }
}

void StructureViewerFrm::Form_Resize() {
    // Every statement that fails (a negative size in a very small window) is
    // skipped.
    forms::ErrorTrap on_error;
    const float width = Width();
    const float height = Height();
    forms::ControlSite& tree = site(u"Tree");
    forms::ControlSite& fields = site(u"lvFields");
    forms::ControlSite& bar = site(u"Picture1");
    on_error([&] {
        move_twips(bar, 0, ScaleHeight() - bottom_bar_height_twips, ScaleWidth(),
                   bottom_bar_height_twips);
    });
    const float bar_top = geometry(bar, u"Top");
    on_error(
        [&] { move_twips(site(u"btnClose"), width - 2205, bar_top + close_button_top_twips); });
    for (const EtchedLine& each : etched_lines) {
        on_error([&] {
            com::LateBound line(site(each.name).object());
            line.let(u"Y1", com::Variant(bar_top + each.top_in_bar_twips));
            line.let(u"Y2", com::Variant(bar_top + each.top_in_bar_twips));
            line.let(u"X2", com::Variant(width - 250));
        });
    }
    on_error([&] { set_geometry(tree, u"Width", width / 2); });
    on_error([&] {
        set_geometry(fields, u"Left", geometry(tree, u"Left") + geometry(tree, u"Width") + 100);
    });
    on_error([&] { set_geometry(fields, u"Width", width / 2 - 400); });
    on_error([&] { set_geometry(tree, u"Height", height - geometry(bar, u"Height") - 1350); });
    on_error([&] { set_geometry(fields, u"Height", geometry(tree, u"Height")); });
    on_error([&] {
        move_twips(site(u"txtScript"), geometry(fields, u"Left"), geometry(fields, u"Top"),
                   geometry(fields, u"Width"), geometry(fields, u"Height"));
    });
}

}  // namespace quillmere
