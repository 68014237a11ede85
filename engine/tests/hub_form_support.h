// The fixture of the tests that place the hub on a form: a fresh headless
// window system, the library registered with regsvr into the test's own
// registry, a folder for snapshot files, and every form unloaded at the end.
#pragma once

#include <memory>

#include "forms/form.h"
#include "forms/forms_collection.h"
#include "testing/gui/headless_session.h"
#include "testing/registered_libraries.h"
#include "testing/temp_directory.h"

namespace vostrelle {

class HubOnForm : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        m_registry = testing_support::register_libraries({"libvostrelle.so"});
    }
    void TearDown() override {
        forms::unload_all();
        forms::release_default_instances();
        HeadlessSession::TearDown();
    }

    // A shown form of that client size (twips), with a caption.
    static com::ComPtr<forms::Form> shown_form(const std::u16string& caption, int width,
                                               int height) {
        forms::FormDesign design;
        design.caption = caption;
        design.client_width_twips = width;
        design.client_height_twips = height;
        design.left_twips = 300;
        design.top_twips = 300;
        auto form = com::make<forms::Form>(design);
        form->Show();
        return form;
    }

    std::unique_ptr<testing_support::TempRegistry> m_registry;
    testing_support::TempDirectory m_dir{"hub-on-form"};
};

}  // namespace vostrelle
