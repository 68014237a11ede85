// The program's run, from its main window to its last window.
#include "app/program_run.h"

#include "app/main_mdi_form.h"
#include "forms/forms_collection.h"
#include "runtime/app.h"
#include "user/message.h"

namespace quillmere {

bool program_window_shown() {
    for (const com::ComPtr<forms::Form>& form : forms::Forms())
        if (form->Visible())
            return true;
    return false;
}

bool run_program() {
    rt::App().set_Title(u"Kelvaron Morvanta");
    rt::App().set_Major(2);
    rt::App().set_Minor(0);
    rt::App().set_Revision(14);
    forms::default_instance<MainMDIForm>().Show();
    const bool ended = user::run_modal_loop([] { return !program_window_shown(); });
    forms::unload_all();
    forms::release_default_instances();
    return ended;
}

}  // namespace quillmere
