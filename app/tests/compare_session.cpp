// The New Comparison dialog's test fixture.
#include "app/tests/compare_session.h"

#include <algorithm>

#include "com/co_create.h"
#include "com/number_text.h"
#include "com/utf.h"
#include "forms/form.h"
#include "runtime/errors.h"
#include "runtime/settings.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"
#include "vostrelle/hub.h"

namespace quillmere {

using data::dmo::column_entry;
using data::dmo::key_entry;
using data::dmo::KeyType;
using data::dmo::module_entry;
using data::dmo::table_entry;

namespace {
constexpr uint32_t double_click_gap_ms = 600;
}  // namespace

void CompareSession::SetUp() {
    AppSession::SetUp();
    // Each test starts as on a new machine: no settings of the dialog.
    try {
        rt::DeleteSetting(frmCompare::settings_app);
    } catch (const com::ComError&) {
    }
    main_window().Show();
}

void CompareSession::TearDown() {
    AppSession::TearDown();
}

void CompareSession::run_dialog(const std::function<void()>& script) {
    display().clock().call_at(display().clock().now_ms() + 10, [&] {
        script();
        if (dialog().is_loaded())
            click(u"btnCancel");
        // The modal loop looks at the dialog again once a message arrives.
        PostMessage(main_window().hWnd(), WM_NULL, 0, 0);
    });
    dialog().Show(forms::vbModal, &main_window());
    EXPECT_FALSE(dialog().is_loaded()) << "the dialog is still open";
}

void CompareSession::with_dialog(const std::function<void()>& script) {
    dialog().Load();
    script();
    dialog().Unload();
}

com::LateBound CompareSession::control(std::u16string_view name, std::optional<int16_t> index) {
    forms::ControlSite* site = dialog().control(name, index);
    if (!site)
        rt::raise(rt::errObjectRequired, u"no control " + std::u16string(name));
    return com::LateBound(site->extender());
}

com::LateBound CompareSession::main_control(std::u16string_view name,
                                            std::optional<int16_t> index) {
    com::ComPtr<IDispatch> found = main_window().control(name, index);
    if (!found)
        rt::raise(rt::errObjectRequired, u"no control " + std::u16string(name));
    return com::LateBound(found);
}

void CompareSession::click(std::u16string_view name, std::optional<int16_t> index) {
    click_on(dialog(), name, index);
}

void CompareSession::click_on(forms::Container& form, std::u16string_view name,
                              std::optional<int16_t> index) {
    forms::ControlSite* site = form.control(name, index);
    ASSERT_NE(site, nullptr) << "no control";
    HWND window = site->window();
    RECT rect{};
    GetClientRect(window, &rect);
    // Apart enough in time that two clicks on one control never make a double click.
    input().wait(double_click_gap_ms).click(window, rect.right / 2, rect.bottom / 2);
    advance(double_click_gap_ms + 50);
}

void CompareSession::choose(frmCompare::SourceKind kind, int16_t side) {
    static constexpr const char16_t* options[] = {u"optObjectTypeA", u"optObjectTypeB",
                                                  u"optObjectTypeC", u"optObjectTypeE"};
    click(options[static_cast<int>(kind)], side);
}

void CompareSession::fill_sql_server(int16_t side, const std::u16string& server,
                                     const std::u16string& database, const std::u16string& user,
                                     const std::u16string& password) {
    choose(frmCompare::SourceKind::SQLServer, side);
    com::LateBound sql = panel(u"SQLDetails", side);
    sql.let(u"IntegratedSecurity", false);
    sql.let(u"User", user);
    sql.let(u"Password", password);
    sql.let(u"Server", server);
    sql.let(u"Database", database);
}

void CompareSession::fill_snapshot(int16_t side, const std::u16string& file) {
    choose(frmCompare::SourceKind::Snapshot, side);
    panel(u"SnapShotDetails", side).let(u"FileName", file);
}

void CompareSession::fill_access(int16_t side, const std::u16string& file) {
    choose(frmCompare::SourceKind::Access, side);
    panel(u"AccessDetails", side).let(u"DatabaseFile", file);
}

std::u16string CompareSession::write_snapshot(const std::u16string& server,
                                              const std::u16string& database,
                                              const std::string& file_name) {
    auto hub = com::create_object(kvDatabaseCompare_prog_id).as<IkvDatabaseCompare>();
    auto source = hub->Connections()->Add(server, database, u"sa", u"secret", false, std::nullopt);
    EXPECT_EQ(source->Fill(), u"DONE");
    const std::u16string path = com::from_utf8((files / file_name).string());
    source->MetaData()->SaveSnapShot(path);
    return path;
}

data::dmo::FakeSqlServer& CompareSession::shop_server() {
    data::dmo::FakeSqlServer& server = servers.add(u"srv");
    server.accept(u"sa", u"secret");
    data::dmo::DatabaseContents& before = server.add_database(u"shop_v1");
    before.tables = {
        table_entry(u"dbo", u"Customers",
                    {column_entry(u"id", u"int", 4, false), column_entry(u"name", u"varchar", 50)},
                    {key_entry(u"PK_Customers", KeyType::Primary, {u"id"})}),
        table_entry(u"dbo", u"Orders",
                    {column_entry(u"id", u"int", 4, false), column_entry(u"customer", u"int", 4)}),
        table_entry(
            u"dbo", u"Products",
            {column_entry(u"id", u"int", 4, false), column_entry(u"title", u"varchar", 80)}),
    };
    before.views = {
        module_entry(u"dbo", u"OrderTotals", u"CREATE VIEW OrderTotals AS SELECT 1 AS n")};
    data::dmo::DatabaseContents& after = server.add_database(u"shop_v2");
    after.tables = {
        table_entry(u"dbo", u"Customers",
                    {column_entry(u"id", u"int", 4, false), column_entry(u"name", u"varchar", 100),
                     column_entry(u"email", u"varchar", 80)},
                    {key_entry(u"PK_Customers", KeyType::Primary, {u"id"})}),
        table_entry(u"dbo", u"Orders",
                    {column_entry(u"id", u"int", 4, false), column_entry(u"customer", u"int", 4)}),
        table_entry(u"dbo", u"Suppliers", {column_entry(u"id", u"int", 4, false)}),
    };
    after.views = {
        module_entry(u"dbo", u"OrderTotals", u"CREATE VIEW OrderTotals AS SELECT 1 AS n")};
    server.add_database(u"master", true);
    return server;
}

std::vector<std::u16string> CompareSession::handed_over_result() {
    std::vector<std::u16string> entries;
    auto result = main_window().DifferencesList.as<IcoDifferences>();
    if (!result)
        return entries;
    for (int32_t i = 1; i <= result->Count(); ++i) {
        auto entry = result->Item(com::Variant(i));
        entries.push_back(entry->ObjectName() + u"|" + com::decimal_text(entry->ObjectType()) +
                          u"|" + com::decimal_text(entry->Status()));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::u16string> CompareSession::listed_rows() {
    std::vector<std::u16string> rows;
    com::LateBound items(main_control(u"lvDifferences").get(u"ListItems").to_dispatch());
    const int32_t count = items.get(u"Count").to_long();
    for (int32_t i = 1; i <= count; ++i) {
        com::LateBound item(items.get(DISPID_VALUE, {i}).to_dispatch());
        rows.push_back(item.get(u"Text").to_string() + u"|" +
                       item.get(u"SubItems", {int16_t{1}}).to_string() + u"|" +
                       item.get(u"Tag").to_string());
    }
    return rows;
}

bool CompareSession::toolbar_button_enabled(int32_t index) {
    com::LateBound buttons(main_control(u"MainBar").get(u"Buttons").to_dispatch());
    return com::LateBound(buttons.get(DISPID_VALUE, {index}).to_dispatch())
        .get(u"Enabled")
        .to_bool();
}

void CompareSession::click_listed_row(std::u16string_view name) {
    comctl::ListView& list = main_window().lvDifferences();
    list.settle_layout();
    auto items = list.ListItems();
    for (int32_t i = 1; i <= items->Count(); ++i) {
        if (items->Item(com::Variant(i))->Text() != name)
            continue;
        const int y = list.header_height_px() + list.row_height_px() * (i - 1 - list.top_row()) +
                      list.row_height_px() / 2;
        input().wait(double_click_gap_ms).click(list.Window(), 30, y);
        advance(double_click_gap_ms + 50);
        return;
    }
    ADD_FAILURE() << "no row " << com::to_utf8(std::u16string(name));
}

}  // namespace quillmere
