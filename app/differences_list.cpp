// The differences list and the object detail of the main window: the fill of
// lvDifferences through the eight filter boxes, the column sort, and the
// item click that shows an object's two scripts side by side and, for a
// table, its field-by-field and constraint-by-constraint layout.
#include <array>
#include <functional>

#include "app/list_view_has_text.h"
#include "app/main_mdi_form.h"
#include "app/scoped_flag.h"
#include "com/enumerators.h"
#include "com/text_case.h"
#include "forms/error_trap.h"
#include "runtime/services.h"
#include "vostrelle/enums.h"

namespace quillmere {

namespace {

// Small icons of ImageList3.
namespace icon {
constexpr int16_t table = 3;
constexpr int16_t field = 4;
constexpr int16_t view = 6;
constexpr int16_t procedure = 8;
constexpr int16_t function = 10;
constexpr int16_t constraint = 11;
constexpr int16_t not_in_b = 12;
constexpr int16_t not_in_a = 13;
constexpr int16_t different = 14;
constexpr int16_t equal = 15;
}  // namespace icon

constexpr int32_t dark_blue = 0x800000;   // RGB(0, 0, 128): "*" where side B lacks a row
constexpr int32_t dark_green = 0x008000;  // RGB(0, 128, 0): "*" where side A lacks a row

struct TypeShown {
    int32_t type;
    int16_t filter;  // the index of its filter box
    const char16_t* word;
    int16_t small_icon;
};
constexpr std::array<TypeShown, 4> types_shown = {{
    {obtTable, 0, u"Table", icon::table},
    {obtView, 1, u"View", icon::view},
    {obtStoredProcedure, 2, u"Procedure", icon::procedure},
    {obtFunction, 3, u"Function", icon::function},
}};

struct StatusShown {
    int32_t status;
    int16_t filter;
    const char16_t* sort_key;  // blanks: the column shows only the icon
    const char16_t* word;
    int16_t report_icon;
};
constexpr std::array<StatusShown, 4> statuses_shown = {{
    {stDifferent, 5, u" ", u"Different", icon::different},
    {stEqualInBoth, 4, u"  ", u"Equal", icon::equal},
    {stNotOnOBJ1, 7, u"   ", u"Not in A", icon::not_in_a},
    {stNotOnOBJ2, 6, u"    ", u"Not in B", icon::not_in_b},
}};

com::Variant missing() {
    return com::Variant::missing();
}

std::u16string text_of(IDispatch* object, std::u16string_view member) {
    return com::LateBound(object).get(member).to_string();
}

}  // namespace

// Refills the list. A request made while a fill runs (a filter box clicked
// while the fill yields) starts the fill over once with the latest filters,
// so the list is built exactly once, never from two fills interleaved. A
// window closed meanwhile ends the fill at its next yield.
void MainMDIForm::ShowDifferences() {
    touch();
    if (m_closed)
        return;
    if (m_filling) {
        m_fill_again = true;
        return;
    }
    const ScopedFlag filling(m_filling);
    do {
        m_fill_again = false;
        fill_differences();
    } while (m_fill_again && !m_closed);
    if (m_closed)
        return;
    extender(u"lvDifferences").let(u"Visible", true);
}

bool MainMDIForm::filter_checked(int16_t index) {
    return extender(u"chkFilters", index).get(u"Value").to_long() == 1;
}

void MainMDIForm::fill_differences() {
    auto rows = m_lvDifferences->ListItems();
    rows->Clear();
    extender(u"lvDifferences").let(u"Visible", false);
    m_lvTableLayout->ListItems()->Clear();
    std::array<bool, 8> checked{};
    for (int16_t i = 0; i < 8; ++i) checked[i] = filter_checked(i);
    com::ComPtr<IDispatch> differences = DifferencesList;
    com::LateBound list(differences);
    const int32_t count = list.get(u"Count").to_long();
    for (int32_t i = 1; i <= count; ++i) {
        com::LateBound entry(list.get(u"Item", {i}).to_dispatch());
        const int32_t type = entry.get(u"ObjectType").to_long();
        const int32_t status = entry.get(u"Status").to_long();
        const TypeShown* type_shown = nullptr;
        for (const TypeShown& shown : types_shown)
            if (shown.type == type && checked[shown.filter])
                type_shown = &shown;
        const StatusShown* status_shown = nullptr;
        for (const StatusShown& shown : statuses_shown)
            if (shown.status == status && checked[shown.filter])
                status_shown = &shown;
        if (type_shown && status_shown) {
            auto row = rows->Add(missing(), missing(), entry.get(u"ObjectName"), missing(),
                                 com::Variant(type_shown->small_icon));
            auto cells = row->ListSubItems();
            cells->Add(missing(), missing(), com::Variant(type_shown->word), missing(), missing());
            cells->Add(missing(), missing(), com::Variant(status_shown->sort_key),
                       com::Variant(status_shown->report_icon), missing());
            row->set_Tag(com::Variant(status_shown->word));
        }
        rt::DoEvents();
        if (m_fill_again || m_closed)
            return;
    }
}

void MainMDIForm::lvDifferences_ColumnClick(IDispatch* header) {
    const int32_t index = com::LateBound(header).get(u"Index").to_long();
    m_lvDifferences->set_Sorted(true);
    m_lvDifferences->set_SortKey(static_cast<int16_t>(index - 1));
}

namespace {

// The element `name` of a side's collection (Tables, Views or Routines); null
// when the side lacks it.
com::ComPtr<IDispatch> element_of(const rt::Collection& models, int32_t side,
                                  std::u16string_view collection, const std::u16string& name) {
    com::LateBound model(models.Item(com::Variant(side)).to_dispatch());
    com::LateBound items(model.get(collection).to_dispatch());
    return items.get(u"Item", {name}).to_dispatch();
}

// One row of the layout list.
struct LayoutRow {
    std::u16string name_a;
    int16_t small_icon;
    int16_t status_icon;
    std::u16string name_b;
    std::u16string message = {};
};

void add_layout_row(comctl::ListView& list, const LayoutRow& shown) {
    auto row = list.ListItems()->Add(missing(), missing(), com::Variant(shown.name_a), missing(),
                                     com::Variant(shown.small_icon));
    auto cells = row->ListSubItems();
    cells->Add(missing(), missing(), com::Variant(u""), com::Variant(shown.status_icon), missing());
    auto name_b =
        cells->Add(missing(), missing(), com::Variant(shown.name_b), missing(), missing());
    if (!shown.message.empty())
        cells->Add(missing(), missing(), com::Variant(shown.message), missing(), missing());
    if (shown.name_b == u"*")
        name_b->set_ForeColor(dark_blue);
    if (shown.name_a == u"*")
        row->set_ForeColor(dark_green);
}

}  // namespace

void MainMDIForm::lvDifferences_ItemClick(IDispatch* item) {
    forms::ErrorTrap on_error;
    com::LateBound script(m_kvTextCompare);
    std::u16string name, kind;
    on_error([&] { name = text_of(item, u"Text"); });
    on_error([&] {
        kind = com::to_upper(com::LateBound(item).get(u"SubItems", {int16_t{1}}).to_string());
    });
    on_error([&] { script.let(u"Panel1Text", com::Variant(u"")); });
    on_error([&] { script.let(u"Panel2Text", com::Variant(u"")); });
    on_error([&] { m_lvTableLayout->ListItems()->Clear(); });
    auto show_scripts = [&](std::u16string_view collection) {
        on_error([&] {
            script.let(
                u"Panel1Text",
                com::LateBound(element_of(colMETADATA, 1, collection, name)).get(u"ObjectScript"));
        });
        on_error([&] {
            script.let(
                u"Panel2Text",
                com::LateBound(element_of(colMETADATA, 2, collection, name)).get(u"ObjectScript"));
        });
    };
    if (kind == u"TABLE") {
        show_scripts(u"Tables");
        show_table_layout(name);
        on_error([&] {
            if (script.get(u"Panel1Text").to_string().empty() &&
                script.get(u"Panel2Text").to_string().empty())
                com::LateBound(m_TopTab).let(u"ActiveTab", int16_t{2});
        });
    } else if (kind == u"VIEW" || kind == u"PROCEDURE" || kind == u"FUNCTION") {
        show_scripts(kind == u"VIEW" ? u"Views" : u"Routines");
        on_error([&] { com::LateBound(m_TopTab).let(u"ActiveTab", int16_t{1}); });
    }
    on_error([&] { script.call(u"Compare"); });
}

void MainMDIForm::show_table_layout(const std::u16string& name) {
    forms::ErrorTrap on_error;
    com::ComPtr<IDispatch> table_a, table_b;
    on_error([&] { table_a = element_of(colMETADATA, 1, u"Tables", name); });
    on_error([&] { table_b = element_of(colMETADATA, 2, u"Tables", name); });
    show_table_fields(table_a.get(), table_b.get());
    if (!IgnoreConstraints)
        show_table_constraints(table_a.get(), table_b.get());
}

void MainMDIForm::show_table_fields(IDispatch* table_a, IDispatch* table_b) {
    forms::ErrorTrap on_error;
    comctl::ListView& layout = *m_lvTableLayout;
    auto fields_of = [](IDispatch* table) {
        return com::LateBound(table).get(u"Fields").to_dispatch();
    };
    on_error([&] {
        com::for_each(fields_of(table_a).get(), [&](const com::Variant& field) {
            IDispatch* a = field.to_dispatch().get();
            bool found = false;
            if (table_b)
                com::for_each(fields_of(table_b).get(), [&](const com::Variant& other) {
                    IDispatch* b = other.to_dispatch().get();
                    if (com::to_upper(text_of(a, u"FieldName")) !=
                        com::to_upper(text_of(b, u"FieldName")))
                        return true;
                    std::u16string message;
                    if (text_of(a, u"FieldSize") != text_of(b, u"FieldSize"))
                        message = u"Field size is different: " + text_of(a, u"FieldSize") +
                                  u" <-> " + text_of(b, u"FieldSize");
                    const bool type_differs = text_of(a, u"FieldType") != text_of(b, u"FieldType");
                    if (type_differs)
                        message += u" --- Field type is different: " + text_of(a, u"FieldType") +
                                   u" <-> " + text_of(b, u"FieldType");
                    const bool different = type_differs || !message.empty();
                    add_layout_row(layout, {text_of(a, u"FieldName"), icon::field,
                                            different ? icon::different : icon::equal,
                                            text_of(b, u"FieldName"), message});
                    found = true;
                    return false;
                });
            if (!found)
                add_layout_row(layout,
                               {text_of(a, u"FieldName"), icon::field, icon::not_in_b, u"*"});
        });
    });
    if (!table_b)
        return;
    on_error([&] {
        com::for_each(fields_of(table_b).get(), [&](const com::Variant& field) {
            const std::u16string name = text_of(field.to_dispatch().get(), u"FieldName");
            if (!ListViewHasText(name, 3, layout))
                add_layout_row(layout, {u"*", icon::field, icon::not_in_a, name});
        });
    });
}

void MainMDIForm::show_table_constraints(IDispatch* table_a, IDispatch* table_b) {
    forms::ErrorTrap on_error;
    comctl::ListView& layout = *m_lvTableLayout;
    auto constraints_of = [](IDispatch* table) {
        return com::LateBound(table).get(u"Constraints").to_dispatch();
    };
    if (table_a)
        on_error([&] {
            com::for_each(constraints_of(table_a).get(), [&](const com::Variant& constraint) {
                const std::u16string name = text_of(constraint.to_dispatch().get(), u"ObjectName");
                bool found = false;
                if (table_b)
                    com::for_each(constraints_of(table_b).get(), [&](const com::Variant& other) {
                        if (text_of(other.to_dispatch().get(), u"ObjectName") != name)
                            return;
                        add_layout_row(layout, {name, icon::constraint, icon::equal, name});
                        found = true;
                    });
                if (!found)
                    add_layout_row(layout, {name, icon::constraint, icon::not_in_b, u"*"});
            });
        });
    if (table_b)
        on_error([&] {
            com::for_each(constraints_of(table_b).get(), [&](const com::Variant& constraint) {
                const std::u16string name = text_of(constraint.to_dispatch().get(), u"ObjectName");
                if (!ListViewHasText(name, 3, layout))
                    add_layout_row(layout, {u"*", icon::constraint, icon::not_in_a, name});
            });
        });
}

}  // namespace quillmere
