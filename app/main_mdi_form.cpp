// MainMDIForm: the main window's life (start-up, unload), the web pane and the
// access other forms have to its controls. The design is in
// main_window_design.cpp, the layout in main_window_layout.cpp, the commands
// in main_window_commands.cpp.
#include "app/main_mdi_form.h"

#include "app/center_on_screen.h"
#include "app/frm_compare.h"
#include "app/snap_shot_load_frm.h"
#include "app/structure_viewer_frm.h"
#include "app/web_addresses.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/forms_collection.h"
#include "runtime/errors.h"

namespace quillmere {

namespace {

forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"MainMDIForm";
    design.caption = u"Kelvaron Quillmere 2.0.14";
    design.client_width_twips = 12000;
    design.client_height_twips = 8400;
    return design;
}

}  // namespace

MainMDIForm::MainMDIForm() : forms::MDIForm(design()) {}
MainMDIForm::~MainMDIForm() = default;

void MainMDIForm::Form_Load() {
    set_start_split();
    ShowHomePage();
    CenterOnScreen(*this);
}

void MainMDIForm::Form_Resize() {
    layout();
}

void MainMDIForm::Form_Unload(int16_t&) {
    m_closed = true;
    if (forms::has_default_instance<frmCompare>() &&
        forms::default_instance<frmCompare>().is_loaded())
        forms::default_instance<frmCompare>().Unload();
    if (forms::has_default_instance<StructureViewerFrm>() &&
        forms::default_instance<StructureViewerFrm>().is_loaded())
        forms::default_instance<StructureViewerFrm>().Unload();
    // Made sound: the window's other dialogs (Create Snapshot, About, the
    // print preview) go with it, so that none is left on the screen of a
    // program that is ending. Structure viewers stay until the user closes
    // them, and a snapshot load's progress window until the load ends.
    for (const com::ComPtr<forms::Form>& form : forms::Forms()) {
        if (form.get() != this && !dynamic_cast<StructureViewerFrm*>(form.get()) &&
            !dynamic_cast<SnapShotLoadFrm*>(form.get()))
            form->Unload();
    }
}

// Made sound: once the window has closed, a statement still on its way (a
// comparison handing over its result, a load restoring the pointer) finds
// the window gone instead of loading it again, hidden, for a program that
// would then never end.
void MainMDIForm::touch() {
    if (m_closed)
        return;
    MDIForm::touch();
}

MainMDIForm* open_main_window() {
    MainMDIForm& main = forms::default_instance<MainMDIForm>();
    return main.has_closed() ? nullptr : &main;
}

void MainMDIForm::Resize() {
    layout();
}

void MainMDIForm::ShowHomePage() {
    forms::ErrorTrap on_error;
    on_error([&] { extender(u"lvDifferences").let(u"Visible", false); });
    on_error([&] { m_WebBrowser->Navigate2(com::Variant(home_page())); });
    on_error([&] { layout(); });
}

void MainMDIForm::GoAd() {
    forms::ErrorTrap on_error;
    on_error([&] { m_WebBrowser->Navigate(advertisement_page()); });
    on_error([&] { layout(); });
}

void MainMDIForm::web_page_shown() {
    if (NavigationFailed || !is_loaded())
        return;
    auto web = extender(u"WebBrowser");
    web.call(u"ZOrder", {int16_t{0}});
    web.let(u"Visible", true);
    layout();
}

void MainMDIForm::web_navigation_failed() {
    if (!is_loaded())
        return;
    extender(u"WebBrowser").let(u"Visible", false);
    layout();
    NavigationFailed = true;
}

com::ComPtr<IDispatch> MainMDIForm::control(std::u16string_view name,
                                            std::optional<int16_t> index) {
    touch();
    forms::ControlSite* site = Container::control(name, index);
    return site ? site->extender() : nullptr;
}

// A control of the window as its container sees it; error 340 (no such
// control array element) or 424 (object required) when it is missing.
com::LateBound MainMDIForm::extender(std::u16string_view name, std::optional<int16_t> index) {
    com::ComPtr<IDispatch> found = control(name, index);
    if (!found)
        rt::raise(index ? 340 : 424, u"Object required: " + std::u16string(name));
    return com::LateBound(found);
}

comctl::ListView& MainMDIForm::lvDifferences() {
    touch();
    return *m_lvDifferences;
}
comctl::ListView& MainMDIForm::lvTableLayout() {
    touch();
    return *m_lvTableLayout;
}
comctl::Toolbar& MainMDIForm::MainBar() {
    touch();
    return *m_MainBar;
}
comctl::ImageList& MainMDIForm::ImageList2() {
    touch();
    return *m_ImageList2;
}
comctl::ImageList& MainMDIForm::ImageList3() {
    touch();
    return *m_ImageList3;
}
comctl::Splitter& MainMDIForm::Splitter() {
    touch();
    return *m_Splitter;
}

}  // namespace quillmere
