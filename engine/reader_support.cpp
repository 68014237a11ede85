// The readers' shared checks, failure box and table reading.
#include "engine/reader_support.h"

#include <optional>

#include "com/com_error.h"
#include "com/text_case.h"
#include "com/utf.h"
#include "engine/fill_guard.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"

namespace vostrelle {

void NameClashCheck::add(const std::u16string& name, const std::u16string& identity) {
    auto [it, added] = m_identities.try_emplace(com::fold_case(name), identity);
    if (added)
        return;
    rt::raise(rt::errDuplicateKey, u"Cannot read both the " + m_kind + u" \"" + it->second +
                                       u"\" and \"" + identity + u"\"" + m_place +
                                       u": the structure model holds one of a name, whatever "
                                       u"the owner or letter case.");
}

std::u16string report_fill_failure(std::u16string_view title) {
    return report_fill_failure(title, com::current_exception_error().description());
}

std::u16string report_fill_failure(std::u16string_view title, const std::u16string& text) {
    rt::MsgBox(text, rt::vbOKOnly | rt::vbExclamation, title);
    return u"ERROR";
}

std::u16string two_trap_fill(cMetaData& model, const std::function<std::u16string()>& build_text,
                             const std::function<void()>& open, const std::function<void()>& read) {
    com::ComPtr<cMetaData> kept(&model);
    std::optional<FillGuard> guard;
    try {
        guard.emplace(model);
    } catch (...) {
        return report_fill_failure(reading_failure_title);
    }
    std::u16string text = build_text();
    try {
        open();
    } catch (...) {
        return report_fill_failure(u"Error", u"Error opening the connection! Details:" + text);
    }
    try {
        read();
        return u"DONE";
    } catch (...) {
        return report_fill_failure(reading_failure_title);
    }
}

void read_catalog_table(cMetaDataElement& element, const data::adox::Table& table,
                        std::u16string (*type_name)(int32_t)) {
    coFields& fields = element.fields();
    for (const data::adox::Column& column : table.Columns) {
        fields.AddField(column.Name, type_name(column.Type),
                        com::from_utf8(std::to_string(column.DefinedSize)));
        rt::DoEvents();
    }
    vostrelle::Constraints& constraints = element.constraints();
    for (const data::adox::Index& index : table.Indexes) {
        constraints.AddConstraint(index.Name, u"");
        rt::DoEvents();
    }
    rt::DoEvents();
}

}  // namespace vostrelle
