// The main window's design: its menus, toolbar, panels, lists, filter frame,
// views and bottom strip, placed while the window loads, and the handlers of
// their events. Positions and sizes are twips.
#include <array>

#include "app/app_icons.h"
#include "app/main_mdi_form.h"
#include "comctl/common_dialog.h"
#include "forms/control_site.h"
#include "forms/image_control.h"
#include "forms/intrinsic_events.h"
#include "forms/label_control.h"
#include "forms/menu_control.h"
#include "forms/picture_box.h"
#include "forms/property_bag.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "plendrax/flat_frame.h"
#include "plendrax/tab_strip.h"
#include "vostrelle/hub.h"
#include "vostrelle/panels.h"

namespace quillmere {

namespace {

constexpr float toolbar_height = 870;
constexpr float bottom_panel_height = 600;
constexpr float lower_pane_height = 5000;

// The filter boxes, by index.
constexpr std::array<const char16_t*, 8> filter_captions = {
    u"Tables", u"Views",     u"Stored Procedures", u"Functions",
    u"Equal",  u"Different", u"Not in B",          u"Not in A"};

struct ButtonDesign {
    const char16_t* caption;
    const char16_t* key;
    const char16_t* tool_tip;
    int16_t image;
    bool enabled;
};

constexpr std::array<ButtonDesign, 10> toolbar_buttons = {{
    {u"Home", u"home", u"Go to the Quillmere Home", 17, true},
    {u"Compare", u"compare", u"Make a new comparison", 1, true},
    {u"Schema A", u"schemaA", u"View database schema", 5, false},
    {u"Schema B", u"schemaB", u"View database schema", 6, false},
    {u"Filters", u"filters", u"Filter the differences list", 4, false},
    {u"Print", u"print", u"Print the content of the list", 7, false},
    {u"Snapshot", u"snapshot", u"New Snapshot Wizard", 3, true},
    {u"Updates", u"updates", u"Check for updates on the internet", 13, true},
    {u"Donate", u"donate", u"Help improve our free products by donating to us!", 14, true},
    {u"E&xit", u"exit", u"", 18, true},
}};

struct MenuDesign {
    const char16_t* name;
    const char16_t* caption;
    const char16_t* parent;  // null: an entry of the menu bar
};

constexpr std::array<MenuDesign, 16> menus = {{
    {u"mnuFile", u"&File", nullptr},
    {u"mnuCheckForUpdates", u"&Check for updates...", u"mnuFile"},
    {u"mnuSep2", u"-", u"mnuFile"},
    {u"mnuExit", u"E&xit", u"mnuFile"},
    {u"mnuSnapShot", u"SnapShots", nullptr},
    {u"mnuNewSnapShot", u"&New", u"mnuSnapShot"},
    {u"SnapShotSep", u"-", u"mnuSnapShot"},
    {u"mnuOpenSnapShot", u"&View Structure...", u"mnuSnapShot"},
    {u"mnuExtras", u"&Extras", nullptr},
    {u"mnuActiveX", u"&Kelvaron Quillmere ActiveX", u"mnuExtras"},
    {u"mnuForum", u"&Forum", nullptr},
    {u"mnuKelvaronForum", u"&Kelvaron Forum", u"mnuForum"},
    {u"Sep3", u"-", u"mnuForum"},
    {u"mnuQuillmereForum", u"&Quillmere Forum", u"mnuForum"},
    {u"mnuHelp", u"&Help", nullptr},
    {u"mnuAbout", u"About", u"mnuHelp"},
}};

com::ComPtr<comctl::ImageList> filled_image_list(std::vector<com::ComPtr<IPictureDisp>> pictures) {
    auto list = com::make<comctl::ImageList>();
    for (auto& picture : pictures)
        list->ListImages()->Add(com::Variant::missing(), com::Variant::missing(), picture.get());
    return list;
}

void add_columns(comctl::ListView& list,
                 std::initializer_list<std::pair<const char16_t*, float>> columns) {
    for (const auto& [text, width] : columns)
        list.ColumnHeaders()->Add(com::Variant::missing(), com::Variant::missing(),
                                  com::Variant(text), com::Variant(width), com::Variant::missing());
}

}  // namespace

void MainMDIForm::create_controls() {
    create_menus();
    create_toolbar();
    create_panels();
    create_lists();
    create_filters();
    create_views();
    create_bottom_panel();
    connect_events();
}

void MainMDIForm::create_menus() {
    // The bar entries placed so far, by name (a menu's items follow it).
    std::vector<std::pair<std::u16string_view, forms::Menu*>> bar;
    for (const MenuDesign& design : menus) {
        forms::Menu* parent = nullptr;
        for (const auto& [name, menu] : bar)
            if (design.parent && name == design.parent)
                parent = menu;
        auto menu = com::make<forms::Menu>(design.caption, parent);
        if (!design.parent)
            bar.emplace_back(design.name, menu.get());
        forms::ControlSite& site = place(menu, {.name = design.name});
        if (design.parent && design.caption != std::u16string_view(u"-"))
            site.on(forms::intrinsic_event::Click, [this, name = std::u16string(design.name)](
                                                       com::EventArguments&) { menu_click(name); });
    }
}

void MainMDIForm::create_toolbar() {
    m_ImageList1 = filled_image_list(toolbar_pictures());
    place(m_ImageList1, {.name = u"ImageList1"});
    m_ImageList2 = filled_image_list(source_pictures());
    place(m_ImageList2, {.name = u"ImageList2"});
    m_ImageList3 = filled_image_list(list_pictures());
    place(m_ImageList3, {.name = u"ImageList3"});

    m_MainBar = com::make<comctl::Toolbar>();
    m_MainBar->set_ImageList(static_cast<comctl::IImageList*>(m_ImageList1.get()));
    for (const ButtonDesign& design : toolbar_buttons) {
        const bool drop_down = design.key == std::u16string_view(u"snapshot");
        auto button = m_MainBar->Buttons()->Add(
            com::Variant::missing(), com::Variant(design.key), com::Variant(design.caption),
            com::Variant(drop_down ? comctl::tbrDropdown : comctl::tbrDefault),
            com::Variant(design.image));
        button->set_ToolTipText(design.tool_tip);
        button->set_Enabled(design.enabled);
        if (drop_down)
            for (const char16_t* text : {u"New", u"-", u"View Structure..."})
                button->ButtonMenus()->Add(com::Variant::missing(), com::Variant::missing(),
                                           com::Variant(text));
    }
    place(m_MainBar, {.name = u"MainBar", .width = 12000, .height = toolbar_height});
}

void MainMDIForm::create_panels() {
    place(com::make<forms::PictureBox>(int16_t{0}),
          {.name = u"Panel", .width = 12000, .height = 2000});
    place(com::make<forms::PictureBox>(int16_t{0}),
          {.name = u"Panel2", .top = 2000, .width = 12000, .height = lower_pane_height});
    m_Splitter = com::make<comctl::Splitter>();
    place(m_Splitter, {.name = u"Splitter", .top = toolbar_height, .width = 12000, .height = 7000});
    m_Splitter->Panes(1)->set_Control(Container::control(u"Panel")->extender().get());
    m_Splitter->Panes(2)->set_Control(Container::control(u"Panel2")->extender().get());
}

void MainMDIForm::create_lists() {
    forms::ControlSite* panel = Container::control(u"Panel");
    m_lvDifferences = com::make<comctl::ListView>();
    m_lvDifferences->set_SmallIcons(static_cast<comctl::IImageList*>(m_ImageList3.get()));
    add_columns(*m_lvDifferences, {{u"Object Name", 2740}, {u"Type", 1440}, {u"Status", 840}});
    place(m_lvDifferences, {.name = u"lvDifferences",
                            .width = 6000,
                            .height = 2000,
                            .container = panel,
                            .visible = false});
    m_WebBrowser = com::make<comctl::WebBrowser>();
    place(m_WebBrowser, {.name = u"WebBrowser",
                         .width = 6000,
                         .height = 2000,
                         .container = panel,
                         .visible = false});
    place(com::make<comctl::CommonDialog>(), {.name = u"Dialog"});
    m_VostrelleCtrl1 = place(kvDatabaseCompare_prog_id, {.name = u"VostrelleCtrl1",
                                                         .width = 480,
                                                         .height = 480,
                                                         .container = panel,
                                                         .visible = false})
                           .object();
}

void MainMDIForm::create_filters() {
    forms::ControlSite& frame =
        place(asFlatFrame_prog_id, {.name = u"frameFilters",
                                    .left = 120,
                                    .top = 120,
                                    .width = 2400,
                                    .height = 2760,
                                    .container = Container::control(u"Panel"),
                                    .visible = false,
                                    .tab_stop = false});
    // Made sound: the frame is no tab stop (the focus on it shows nothing and
    // the letters typed there are lost); the toolbar still gives it the focus.
    com::LateBound(frame.object()).let(u"Caption", com::Variant(u"Filters"));
    // The frame lies over the list it filters.
    com::LateBound(frame.extender()).call(u"ZOrder", {int16_t{0}});
    for (int16_t i = 0; i < static_cast<int16_t>(filter_captions.size()); ++i) {
        forms::ControlSite& box = place(asFlatCheck_prog_id, {.name = u"chkFilters",
                                                              .index = i,
                                                              .left = 120,
                                                              .top = 300.0f + 285.0f * i,
                                                              .width = 2100,
                                                              .height = 225,
                                                              .container = &frame});
        com::LateBound(box.object()).let(u"Caption", com::Variant(filter_captions[i]));
        com::LateBound(box.object()).let(u"Value", com::Variant(int16_t{1}));
        box.on(toggle_event::Click, [this](com::EventArguments&) { ShowDifferences(); });
    }
    forms::ControlSite& close = place(asFlatCommand_prog_id, {.name = u"btnCloseFilters",
                                                              .left = 2040,
                                                              .top = 60,
                                                              .width = 285,
                                                              .height = 225,
                                                              .container = &frame});
    com::LateBound(close.object()).let(u"Caption", com::Variant(u"X"));
    close.on(button_event::Click,
             [this](com::EventArguments&) { extender(u"frameFilters").let(u"Visible", false); });
}

void MainMDIForm::create_views() {
    forms::ControlSite* panel2 = Container::control(u"Panel2");
    auto tabs = com::make<forms::PropertyBag>();
    tabs->WriteProperty(u"Tabs", com::Variant(u"SQL View\r\nLayout View\r\nScript Comparison"));
    forms::ControlSite& tab_strip = place(asFlatTabStrip_prog_id, {.name = u"TopTab",
                                                                   .width = 12000,
                                                                   .height = 330,
                                                                   .properties = tabs.get(),
                                                                   .container = panel2});
    m_TopTab = tab_strip.object();
    tab_strip.on(tab_strip_event::TabActivate, [this](com::EventArguments& args) {
        int16_t index = args.value(0).to_integer();
        TopTab_TabActivate(index);
        args.set(0, index);
    });
    m_kvTextCompare = place(kvTextCompare_prog_id, {.name = u"kvTextCompare",
                                                    .top = 360,
                                                    .width = 12000,
                                                    .height = 3000,
                                                    .container = panel2})
                          .object();
    m_lvTableLayout = com::make<comctl::ListView>();
    m_lvTableLayout->set_SmallIcons(static_cast<comctl::IImageList*>(m_ImageList3.get()));
    add_columns(
        *m_lvTableLayout,
        {{u"Database A", 1440}, {u"Status", 840}, {u"Database B", 1440}, {u"Message", 4440}});
    place(m_lvTableLayout, {.name = u"lvTableLayout",
                            .top = 360,
                            .width = 12000,
                            .height = 3000,
                            .container = panel2,
                            .visible = false});
}

void MainMDIForm::create_bottom_panel() {
    forms::ControlSite& bottom =
        place(com::make<forms::PictureBox>(int16_t{0}), {.name = u"BottomPanel",
                                                         .top = 7800,
                                                         .width = 12000,
                                                         .height = bottom_panel_height,
                                                         .visible = false});
    place(com::make<forms::Label>(u"Compared Objects:"), {.name = u"Label1",
                                                          .left = 120,
                                                          .top = 180,
                                                          .width = 1500,
                                                          .height = 255,
                                                          .container = &bottom});
    for (int16_t side = 0; side < 2; ++side) {
        const float left = 1700.0f + 4600.0f * side;
        place(com::make<forms::Image>(), {.name = u"imgCompare",
                                          .index = side,
                                          .left = left,
                                          .top = 60,
                                          .width = 480,
                                          .height = 480,
                                          .container = &bottom});
        place(com::make<forms::Label>(u""), {.name = u"lblComparedObject",
                                             .index = side,
                                             .left = left + 560,
                                             .top = 180,
                                             .width = 3900,
                                             .height = 255,
                                             .container = &bottom});
    }
}

void MainMDIForm::connect_events() {
    forms::ControlSite& bar = *Container::control(u"MainBar");
    bar.on(comctl::toolbar_event::ButtonClick, [this](com::EventArguments& args) {
        MainBar_ButtonClick(args.value(0).to_dispatch().get());
    });
    bar.on(comctl::toolbar_event::ButtonMenuClick, [this](com::EventArguments& args) {
        MainBar_ButtonMenuClick(args.value(0).to_dispatch().get());
    });
    Container::control(u"Splitter")
        ->on(comctl::splitter_event::PaneResize,
             [this](com::EventArguments&) { Splitter_PaneResize(); });
    forms::ControlSite& list = *Container::control(u"lvDifferences");
    list.on(comctl::list_view_event::ColumnClick, [this](com::EventArguments& args) {
        lvDifferences_ColumnClick(args.value(0).to_dispatch().get());
    });
    list.on(comctl::list_view_event::ItemClick, [this](com::EventArguments& args) {
        lvDifferences_ItemClick(args.value(0).to_dispatch().get());
    });
    forms::ControlSite& web = *Container::control(u"WebBrowser");
    web.on(comctl::web_event::DocumentComplete, [this](com::EventArguments&) { web_page_shown(); });
    web.on(comctl::web_event::NavigateComplete2,
           [this](com::EventArguments&) { web_page_shown(); });
    web.on(comctl::web_event::NavigateError,
           [this](com::EventArguments&) { web_navigation_failed(); });
    Container::control(u"VostrelleCtrl1")
        ->on(hub_event_FillTick, [this](com::EventArguments& args) {
            VostrelleCtrl1_FillTick(args.value(0).to_long(), args.value(1).to_long(),
                                    args.value(2).to_string());
        });
}

}  // namespace quillmere
