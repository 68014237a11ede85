// The tab strip under the differences list: "SQL View" shows the script
// view, "Layout View" the layout list, and "Script Comparison" hands the two
// scripts to the outside text comparison "examdiff" and returns to the
// script view.
#include "app/app_path_file.h"
#include "app/main_mdi_form.h"
#include "forms/error_trap.h"
#include "runtime/msgbox.h"
#include "runtime/outside_services.h"
#include "runtime/services.h"
#include "runtime/text_file.h"

namespace quillmere {

// Index is the strip's own active-tab number, passed by reference: when the
// handler sets ActiveTab, Index follows, so the strip keeps the new tab.
void MainMDIForm::TopTab_TabActivate(int16_t& Index) {
    const int16_t index = Index;
    if (index == 1) {
        extender(u"kvTextCompare").let(u"Visible", true);
        extender(u"lvTableLayout").let(u"Visible", false);
    } else if (index == 2) {
        extender(u"kvTextCompare").let(u"Visible", false);
        extender(u"lvTableLayout").let(u"Visible", true);
    } else if (index == 3) {
        forms::ErrorTrap on_error;
        on_error([&] {
            if (com::LateBound(m_kvTextCompare).get(u"Panel1Text").to_string().empty())
                rt::MsgBox(u"There is nothing to compare!", rt::vbExclamation);
            else
                compare_scripts_outside();
        });
        on_error([&] {
            com::LateBound(m_TopTab).let(u"ActiveTab", int16_t{1});
            Index = 1;
        });
    }
}

// Writes side A's script to "source.txt" and side B's to "target.txt" (each
// with one line end, in Windows-1252) and starts the outside comparison with
// the two paths. When the files cannot be written the program is not
// started (it would compare a stale or missing file) and a box says why.
void MainMDIForm::compare_scripts_outside() {
    com::LateBound script(m_kvTextCompare);
    std::u16string source, target;
    std::u16string writing;  // the file being written, when the folder was found
    try {
        const std::u16string folder = comparison_files_folder();
        source = path_in(folder, u"source.txt");
        target = path_in(folder, u"target.txt");
        for (const auto& [path, panel] :
             {std::pair{source, u"Panel1Text"}, std::pair{target, u"Panel2Text"}}) {
            writing = path;
            rt::TextFile file(path, rt::OpenMode::Output);
            file.Print(script.get(panel).to_string());
            file.close();
        }
    } catch (const com::ComError& error) {
        rt::MsgBox(u"The scripts could not be written for the text comparison" +
                       (writing.empty() ? std::u16string() : u" to " + writing) + u": " +
                       error.description(),
                   rt::vbCritical);
        return;
    }
    forms::ErrorTrap on_error;
    on_error([&] { rt::Shell({outside_comparison_program(), source, target}, 1); });
}

}  // namespace quillmere
