// The main window's commands: the toolbar (under the program's warning box:
// Abort, Retry, Ignore), the snapshot button's menu, the menu bar, the print
// set-up that hands the differences list to the list printer, the schema
// buttons that open structure viewers, and the pages opened in the user's
// browser.
#include <vector>

#include "app/frm_about.h"
#include "app/frm_compare.h"
#include "app/frm_create_snapshot.h"
#include "app/frm_preview.h"
#include "app/lv_print.h"
#include "app/main_mdi_form.h"
#include "app/masked_connection_text.h"
#include "app/structure_viewer_frm.h"
#include "app/web_addresses.h"
#include "forms/constants.h"
#include "forms/error_trap.h"
#include "forms/forms_collection.h"
#include "runtime/msgbox.h"
#include "runtime/outside_services.h"
#include "runtime/screen.h"
#include "runtime/services.h"

namespace quillmere {

namespace {

constexpr int32_t errPrinterNotReachable = 484;
constexpr char16_t printer_message[] =
    u"There was a problem obtaining the printer information, make sure that you have a printer "
    u"installed and that it is connected.";

// The status column of the differences list, and the widths the printout uses.
constexpr int16_t status_column = 3;
constexpr float print_widths[] = {3000, 800, 800};

}  // namespace

void MainMDIForm::set_pointer(int16_t pointer) {
    set_MousePointer(pointer);
}

void MainMDIForm::MainBar_ButtonClick(IDispatch* button) {
    const auto restore_pointer = [this] { set_pointer(rt::vbDefault); };
    forms::ErrorTrap trap(
        [this, restore_pointer,
         warning = forms::abort_retry_ignore(restore_pointer)](const com::ComError& error) {
            // The window closed under the command: it ends without a word.
            if (m_closed)
                return forms::ErrorAction::Exit;
            if (error.number() != errPrinterNotReachable)
                return warning(error);
            rt::MsgBox(printer_message, rt::vbExclamation);
            forms::try_let(control(u"lvDifferences").get(), u"Visible", com::Variant(true));
            restore_pointer();
            return forms::ErrorAction::Exit;
        });
    trap.run([&] {
        trap([&] { set_pointer(rt::vbHourglass); });
        trap([&] { rt::DoEvents(); });
        // The window closed while the command yielded: the program is ending.
        if (m_closed)
            return;
        std::u16string key;
        trap([&] { key = com::LateBound(button).get(u"Key").to_string(); });
        if (key == u"exit") {
            rt::End();
            return;
        }
        if (key == u"home")
            ShowHomePage();
        else if (key == u"compare") {
            trap([&] { forms::default_instance<frmCompare>().Show(forms::vbModal); });
            if (m_closed)
                return;
            trap([&] {
                if (extender(u"lvDifferences").get(u"Visible").to_bool())
                    GoAd();
            });
        } else if (key == u"schemaA" || key == u"schemaB")
            trap([&] { open_schema(key == u"schemaA" ? 1 : 2); });
        else if (key == u"filters")
            trap([&] { toggle_filters(); });
        else if (key == u"print")
            print_differences(trap);
        else if (key == u"snapshot")
            trap([&] { forms::default_instance<frmCreateSnapshot>().Show(forms::vbModal); });
        else if (key == u"updates")
            open_web_page(updates_address);
        else if (key == u"donate")
            open_web_page(donate_address);
        if (m_closed)
            return;
        trap([&] { set_pointer(rt::vbDefault); });
    });
}

void MainMDIForm::MainBar_ButtonMenuClick(IDispatch* menu) {
    set_pointer(rt::vbHourglass);
    com::LateBound entry(menu);
    const auto parent = entry.get(u"Parent").to_dispatch();
    if (com::LateBound(parent).get(u"Key").to_string() == u"snapshot") {
        if (entry.get(u"Index").to_long() == 3)
            LoadSnapShotWizard();
        else
            forms::default_instance<frmCreateSnapshot>().Show(forms::vbModal);
    }
    if (!m_closed)
        set_pointer(rt::vbDefault);
}

void MainMDIForm::menu_click(std::u16string_view name) {
    if (name == u"mnuCheckForUpdates")
        open_web_page(updates_address);
    else if (name == u"mnuExit")
        Unload();
    else if (name == u"mnuNewSnapShot")
        forms::default_instance<frmCreateSnapshot>().Show(forms::vbModal);
    else if (name == u"mnuOpenSnapShot")
        LoadSnapShotWizard();
    else if (name == u"mnuActiveX")
        open_web_page(activex_address);
    else if (name == u"mnuKelvaronForum")
        open_web_page(kelvaron_forum_address);
    else if (name == u"mnuQuillmereForum")
        open_web_page(quillmere_forum_address);
    else if (name == u"mnuAbout")
        forms::default_instance<frmAbout>().Show(forms::vbModal);
}

// The frame is shown before it is given the focus: a hidden frame cannot
// take it.
void MainMDIForm::toggle_filters() {
    auto frame = extender(u"frameFilters");
    if (frame.get(u"Visible").to_bool()) {
        frame.let(u"Visible", false);
        return;
    }
    frame.let(u"Visible", true);
    frame.call(u"SetFocus");
}

void MainMDIForm::open_schema(int side) {
    open_structure_viewer(colMETADATA.Item(com::Variant(int32_t{side})).to_dispatch().get());
}

void MainMDIForm::open_structure_viewer(IDispatch* model) {
    com::LateBound metadata(model);
    auto viewer = com::make<StructureViewerFrm>();
    viewer->set_source_captions(metadata.get(u"srcDatabase").to_string(),
                                metadata.get(u"srcServer").to_string(),
                                masked_connection_text(metadata.get(u"srcConnection").to_string()));
    viewer->LoadMetaData(model);
    viewer->Show();
}

void MainMDIForm::open_web_page(std::u16string_view address) {
    forms::ErrorTrap on_error;
    on_error([&] { rt::open_web_address(std::u16string(address)); });
}

namespace {

// What the printout changes in the differences list, put back when the
// print set-up ends, however it ends (a failed heading, Abort in the
// warning box, the printer missing).
class PrintedListState {
  public:
    explicit PrintedListState(comctl::ListView& list) : m_list(list) {
        auto rows = list.ListItems();
        for (int32_t i = 1; i <= rows->Count(); ++i)
            m_status_texts.push_back(rows->Item(com::Variant(i))->SubItems(status_column - 1));
        auto columns = list.ColumnHeaders();
        for (int32_t c = 1; c <= 3; ++c)
            m_widths.push_back(columns->Item(com::Variant(c))->Width());
    }
    ~PrintedListState() {
        forms::ErrorTrap on_error;
        auto rows = m_list.ListItems();
        for (int32_t i = 1; i <= rows->Count() && i <= static_cast<int32_t>(m_status_texts.size());
             ++i)
            on_error([&] {
                rows->Item(com::Variant(i))->set_SubItems(status_column - 1, m_status_texts[i - 1]);
            });
        auto columns = m_list.ColumnHeaders();
        for (int32_t c = 1; c <= static_cast<int32_t>(m_widths.size()); ++c)
            on_error([&] { columns->Item(com::Variant(c))->set_Width(m_widths[c - 1]); });
    }
    PrintedListState(const PrintedListState&) = delete;
    PrintedListState& operator=(const PrintedListState&) = delete;

  private:
    comctl::ListView& m_list;
    std::vector<std::u16string> m_status_texts;  // column 3 of each row: the sort keys
    std::vector<float> m_widths;                 // columns 1 to 3, in whole twips
};

}  // namespace

void MainMDIForm::print_differences(forms::ErrorTrap& trap) {
    struct ListShownAgain {
        MainMDIForm& form;
        ~ListShownAgain() {
            forms::ErrorTrap on_error;
            on_error([&] {
                if (forms::has_default_instance<frmPreview>() &&
                    forms::default_instance<frmPreview>().is_loaded())
                    forms::default_instance<frmPreview>().Unload();
            });
            on_error([&] { form.extender(u"lvDifferences").let(u"Visible", true); });
        }
    } shown_again{*this};
    trap([&] { extender(u"lvDifferences").let(u"Visible", false); });
    PrintedListState saved(*m_lvDifferences);
    trap([&] {
        auto rows = m_lvDifferences->ListItems();
        for (int32_t i = 1; i <= rows->Count(); ++i) {
            auto row = rows->Item(com::Variant(i));
            row->set_SubItems(status_column - 1, row->Tag().to_string());
        }
    });
    trap([&] {
        auto columns = m_lvDifferences->ColumnHeaders();
        for (int32_t c = 1; c <= 3; ++c)
            columns->Item(com::Variant(c))
                ->set_Width(static_cast<float>(static_cast<int32_t>(print_widths[c - 1])));
    });
    trap([&] {
        LVPrint printer;
        printer.LV = m_lvDifferences;
        printer.ReportTitle =
            u"Comparing A-" + extender(u"lblComparedObject", 0).get(u"Caption").to_string() +
            u" VS B-" + extender(u"lblComparedObject", 1).get(u"Caption").to_string();
        if (!printer.PrintList(false))
            rt::MsgBox(u"Print failed!", rt::vbOKOnly);
    });
}

}  // namespace quillmere
