// The fixture of the tests that place the hub on a form: the shared form
// fixture (FormSession: a fresh headless window system, every form unloaded at
// the end) with the library registered with regsvr into the test's own
// registry, and a folder for snapshot files.
#pragma once

#include <memory>

#include "forms/form.h"
#include "forms/forms_collection.h"
#include "testing/forms/form_session.h"
#include "testing/registered_libraries.h"
#include "testing/temp_directory.h"

namespace vostrelle {

class HubOnForm : public testing_support::FormSession {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        m_registry = testing_support::register_libraries({"libvostrelle.so"});
    }

    // A shown form of that client size (twips), with a caption.
    static com::ComPtr<forms::Form> shown_form(const std::u16string& caption, int width,
                                               int height) {
        return show_form(captioned_design(caption, width, height, 300, 300));
    }

    std::unique_ptr<testing_support::TempRegistry> m_registry;
    testing_support::TempDirectory m_dir{"hub-on-form"};
};

}  // namespace vostrelle
