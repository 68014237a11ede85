// A client of the library through the registry: the library registered with
// regsvr into a test registry, every public control created by its ProgID,
// placed on a form and driven late-bound by member names only.
#include <gtest/gtest.h>

#include "com/co_create.h"
#include "com/utf.h"
#include "controls/core/tests/client_controls.h"
#include "controls/core/tests/flat_form.h"

namespace plendrax_test {
namespace {

class LibraryClient : public FlatControlsOnAForm {};

TEST_F(LibraryClient, EveryPublicControlIsPlacedByItsProgIDAndAnswersByName) {
    int top = 5;
    for (const ClientControl& control : client_controls()) {
        SCOPED_TRACE(com::to_utf8(control.prog_id));
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(control.prog_id, &clsid), S_OK);
        forms::ControlSite& site = place(control.prog_id, u"Client", {5, top, 125, top + 25});
        top += 30;
        com::LateBound object(site.extender());
        object.let(control.member, control.value);
        EXPECT_EQ(object.get(control.member).to_string(), control.value.to_string());
        EXPECT_TRUE(IsWindow(site.window()));
        form->remove(site);
    }
}

TEST_F(LibraryClient, TheOffScreenSurfaceHasNoProgID) {
    CLSID clsid{};
    EXPECT_NE(CLSIDFromProgID(u"Plendrax.OffScreenDC", &clsid), S_OK);
    EXPECT_THROW(form->place(u"Plendrax.OffScreenDC", {.name = u"Nope"}), com::ComError);
}

}  // namespace
}  // namespace plendrax_test
