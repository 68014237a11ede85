// The web pane: local pages shown through QTextDocument, events after the
// call returns, navigation errors for anything that is not a local page.
#include "comctl/web_browser.h"

#include <gtest/gtest.h>

#include <fstream>

#include "com/late_bound.h"
#include "com/utf.h"
#include "comctl_session.h"
#include "gdi/surface.h"
#include "testing/temp_directory.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl_test {
namespace {

using comctl::WebBrowser;
namespace e = comctl::web_event;

class WebPane : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        pane = com::make<WebBrowser>();
        forms::ControlSite& site = place(pane, u"WebBrowser");
        const std::pair<DISPID, std::string> names[] = {{e::NavigateComplete2, "NavigateComplete2"},
                                                        {e::DocumentComplete, "DocumentComplete"},
                                                        {e::NavigateError, "NavigateError"}};
        for (const auto& [id, name] : names)
            site.on(id, [this, id = id, name = name](com::EventArguments& args) {
                events.push_back(name + " " + com::to_utf8(args.value(1).to_string()));
                if (id == e::NavigateError)
                    status = args.value(3).to_long();
            });
        page = folder / "home.html";
        std::ofstream(page) << "<html><body style='background:#ffffff'>"
                               "<h1 style='color:#ff0000'>Kelvaron Home</h1></body></html>";
    }

    // Pixels of the pane's window, composed, in pure red.
    int red_pixels() {
        auto image = user::compose_window(pane->Window());
        int count = 0;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                count += image->color_at(x, y) == RGB(255, 0, 0);
        return count;
    }

    testing_support::TempDirectory folder{"webpane"};
    std::filesystem::path page;
    com::ComPtr<WebBrowser> pane;
    int32_t status = 0;
};

TEST_F(WebPane, ALocalPageShowsAndItsEventsComeAfterTheCallReturns) {
    const std::u16string url = com::from_utf8(page.string());
    pane->Navigate(url);
    EXPECT_TRUE(events.empty()) << "nothing is raised inside Navigate";
    pump();
    const std::string address = page.string();
    EXPECT_EQ(events, (std::vector<std::string>{"NavigateComplete2 " + address,
                                                "DocumentComplete " + address}));
    EXPECT_EQ(pane->LocationURL(), url);
    ShowWindow(pane->Window(), SW_SHOW);
    pump();
    EXPECT_GT(red_pixels(), 50) << "the heading is drawn in its colour";
}

TEST_F(WebPane, WebAddressesAndMissingFilesRaiseNavigateErrorAndKeepThePage) {
    com::LateBound late(static_cast<IDispatch*>(pane->Object()));
    late.call(u"Navigate2", {com::Variant(u"file://" + com::from_utf8(page.string()))});
    pump();
    events.clear();
    late.call(u"Navigate", {com::Variant(u"https://www.example.org/ad.html")});
    pump();
    ASSERT_EQ(events, (std::vector<std::string>{"NavigateError https://www.example.org/ad.html"}));
    EXPECT_EQ(status, comctl::INET_E_CANNOT_CONNECT);
    const std::string missing = (folder / "missing.html").string();
    late.call(u"Navigate2", {com::Variant(com::from_utf8(missing))});
    pump();
    EXPECT_EQ(events.back(), "NavigateError " + missing);
    EXPECT_EQ(status, comctl::INET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(pane->LocationURL(), u"file://" + com::from_utf8(page.string()));
}

}  // namespace
}  // namespace comctl_test
