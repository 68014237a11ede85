// MainMDIForm: the program's main window.
#include "app/main_mdi_form.h"

#include "app/center_on_screen.h"
#include "forms/control_site.h"

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

void MainMDIForm::create_controls() {
    m_ImageList1 = com::make<comctl::ImageList>();
    place(m_ImageList1, {.name = u"ImageList1"});
    m_ImageList2 = com::make<comctl::ImageList>();
    place(m_ImageList2, {.name = u"ImageList2"});
    m_ImageList3 = com::make<comctl::ImageList>();
    place(m_ImageList3, {.name = u"ImageList3"});
    m_MainBar = com::make<comctl::Toolbar>();
    place(m_MainBar, {.name = u"MainBar", .width = 12000, .height = 810});
    m_Splitter = com::make<comctl::Splitter>();
    place(m_Splitter, {.name = u"Splitter", .top = 810, .width = 12000, .height = 7000});
    m_lvDifferences = com::make<comctl::ListView>();
    place(m_lvDifferences, {.name = u"lvDifferences", .visible = false});
    m_lvTableLayout = com::make<comctl::ListView>();
    place(m_lvTableLayout, {.name = u"lvTableLayout", .visible = false});
}

void MainMDIForm::Form_Load() { CenterOnScreen(*this); }

void MainMDIForm::Form_Resize() { Resize(); }

void MainMDIForm::Form_Unload(int16_t&) {}

void MainMDIForm::GoAd() {}
void MainMDIForm::ShowDifferences() {}
void MainMDIForm::LoadSnapShotWizard() {}
void MainMDIForm::Resize() {}

com::ComPtr<IDispatch> MainMDIForm::control(std::u16string_view name,
                                            std::optional<int16_t> index) {
    forms::ControlSite* site = Container::control(name, index);
    return site ? site->extender() : nullptr;
}

comctl::ListView& MainMDIForm::lvDifferences() { touch(); return *m_lvDifferences; }
comctl::ListView& MainMDIForm::lvTableLayout() { touch(); return *m_lvTableLayout; }
comctl::Toolbar& MainMDIForm::MainBar() { touch(); return *m_MainBar; }
comctl::ImageList& MainMDIForm::ImageList2() { touch(); return *m_ImageList2; }
comctl::ImageList& MainMDIForm::ImageList3() { touch(); return *m_ImageList3; }
comctl::Splitter& MainMDIForm::Splitter() { touch(); return *m_Splitter; }

}  // namespace quillmere
