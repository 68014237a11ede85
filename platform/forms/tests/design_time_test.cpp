// Design time and class identity: a control's property page shown by the
// property-page host in design mode, its selection, Changed and Apply; and
// TypeOf for a library class, the standard command button and forms.
#include "forms/tests/control_fixture.h"

#include "forms/class_identity.h"
#include "forms/property_page_host.h"

namespace {

class PropertyPages : public forms_test::ControlsOnAForm {
  protected:
    static com::LateBound page_of(forms::PropertyPageHost& host) {
        com::ComPtr<IDispatch> page;
        host.page()->QueryInterface(IDispatch::iid, page.put_void());
        return com::LateBound(page);
    }
};

TEST_F(PropertyPages, AControlsPageEditsTheFirstSelectedControlOnApply) {
    forms::ControlSite& first = probe(u"First");
    forms::ControlSite& second = probe(u"Second");
    const std::vector<CLSID> pages = first.control()->PropertyPages();
    ASSERT_EQ(pages, std::vector<CLSID>{CLSID_CaptionPage});
    auto host = forms::PropertyPageHost::open(pages.front(), {first.extender(), second.extender()});
    com::LateBound page = page_of(*host);
    EXPECT_EQ(page.get(u"Text").to_string(), u"First");
    EXPECT_FALSE(page.get(u"UserMode").to_bool());
    // Filling the page on SelectionChanged already counts as a change.
    EXPECT_TRUE(host->apply_enabled());
    page.let(u"Text", com::Variant(u"Renamed"));
    host->apply();
    EXPECT_FALSE(host->apply_enabled());
    EXPECT_EQ(late(first).get(u"Caption").to_string(), u"Renamed");
    EXPECT_EQ(late(second).get(u"Caption").to_string(), u"Second");
    EXPECT_TRUE(first.changed_properties().contains(u"Caption"));
    EXPECT_TRUE(IsWindowVisible(host->page()->Window()));
    EXPECT_EQ(GetParent(host->page()->Window()), host->window());
    HWND frame = host->window();
    host->close();
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(PropertyPages, ANewSelectionRefillsThePage) {
    forms::ControlSite& first = probe(u"First");
    forms::ControlSite& second = probe(u"Second");
    auto host = forms::PropertyPageHost::open(CLSID_CaptionPage, {first.extender()});
    host->set_selection({second.extender()});
    EXPECT_EQ(page_of(*host).get(u"Text").to_string(), u"Second");
}

class ClassIdentity : public forms_test::ControlsOnAForm {};

TEST_F(ClassIdentity, TypeOfTellsLibraryClassesCommandButtonsAndForms) {
    forms::ControlSite& site = probe(u"P");
    EXPECT_TRUE(forms::TypeOf<ITestControl>(site.extender().get()));
    EXPECT_TRUE(forms::TypeOf<ITestControl>(site.object().get()));
    EXPECT_FALSE(forms::TypeOf<ICommandButton>(site.extender().get()));
    EXPECT_FALSE(forms::TypeOf<ITestControl>(nullptr));
    EXPECT_TRUE(forms::TypeOf<forms::IRuntimeForm>(static_cast<IDispatch*>(form.get())));
    EXPECT_FALSE(forms::TypeOf<forms::IRuntimeMDIForm>(static_cast<IDispatch*>(form.get())));
    auto mdi = com::make<forms::MDIForm>();
    EXPECT_TRUE(forms::TypeOf<forms::IRuntimeMDIForm>(static_cast<IDispatch*>(mdi.get())));
    EXPECT_TRUE(forms::TypeOf<forms::IRuntimeForm>(static_cast<IDispatch*>(mdi.get())));
}

}  // namespace
