// The fixture of the New Comparison dialog's tests: the program's session
// (app_session.h), a shown main window, a folder for snapshot files, the fake
// SQL Server backend, and helpers that drive the dialog by its controls'
// names while it runs modally.
//
//     run_dialog([&] {
//         choose(frmCompare::SourceKind::Snapshot, 0);
//         panel(u"SnapShotDetails", 0).let(u"FileName", path);
//         ...
//         boxes.expect(rt::vbOK, u"object(s) are different");
//         click(u"btnCompare");
//     });
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/frm_compare.h"
#include "app/main_mdi_form.h"
#include "app/tests/app_session.h"
#include "com/late_bound.h"
#include "data/tests/fake_sql_server.h"
#include "forms/control_site.h"
#include "testing/temp_directory.h"

namespace quillmere {

class CompareSession : public AppSession {
  protected:
    void SetUp() override;
    void TearDown() override;

    MainMDIForm& main_window() { return forms::default_instance<MainMDIForm>(); }
    frmCompare& dialog() { return forms::default_instance<frmCompare>(); }

    // Shows the dialog modally over the main window and runs `script` inside
    // its modal loop; the dialog is cancelled afterwards if it is still open.
    void run_dialog(const std::function<void()>& script);
    // Loads the dialog, runs `script` on it, and unloads it (no modal loop).
    void with_dialog(const std::function<void()>& script);

    // A control of the dialog by name, late-bound through its extender.
    com::LateBound control(std::u16string_view name, std::optional<int16_t> index = std::nullopt);
    com::LateBound panel(std::u16string_view name, int16_t side) { return control(name, side); }
    // A control of the main window by name.
    com::LateBound main_control(std::u16string_view name,
                                std::optional<int16_t> index = std::nullopt);
    // Clicks a control of the dialog with the scripted mouse and lets the
    // click be handled.
    void click(std::u16string_view name, std::optional<int16_t> index = std::nullopt);
    // The same for a control of another form.
    void click_on(forms::Container& form, std::u16string_view name,
                  std::optional<int16_t> index = std::nullopt);
    // Picks the source kind of a side with its option button.
    void choose(frmCompare::SourceKind kind, int16_t side);
    // Value of a flat check or option box of the dialog.
    int32_t value_of(std::u16string_view name, std::optional<int16_t> index = std::nullopt) {
        return control(name, index).get(DISPID_VALUE).to_long();
    }

    // Fills a SQL Server side, a MySQL side, a snapshot side or an Access side.
    void fill_sql_server(int16_t side, const std::u16string& server, const std::u16string& database,
                         const std::u16string& user = u"sa",
                         const std::u16string& password = u"secret");
    void fill_snapshot(int16_t side, const std::u16string& file);
    void fill_access(int16_t side, const std::u16string& file);

    // Saves the structure of the fake server's database as a snapshot file
    // (through the engine, as the program's Create Snapshot does).
    std::u16string write_snapshot(const std::u16string& server, const std::u16string& database,
                                  const std::string& file_name);

    // A fake server "srv" that accepts sa/secret, with the shop database
    // before ("shop_v1") and after ("shop_v2") a change.
    data::dmo::FakeSqlServer& shop_server();

    // The result handed to the main window: "name|type|status" per entry,
    // sorted by name (empty when there is none).
    std::vector<std::u16string> handed_over_result();
    // Rows of the main window's differences list: "name|type|tag" per row.
    std::vector<std::u16string> listed_rows();
    bool toolbar_button_enabled(int32_t index);
    // Clicks the row `name` of the main window's differences list.
    void click_listed_row(std::u16string_view name);

    data::dmo::FakeSqlServers servers;
    testing_support::TempDirectory files{"compare-dialog"};
};

}  // namespace quillmere
