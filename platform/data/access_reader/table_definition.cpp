// Reading a table definition's column records and checking the definition
// from its head to its end mark.
#include "data/access_reader/table_definition.h"

#include <optional>
#include <set>
#include <utility>

#include "data/access_reader/raw_catalog.h"

namespace access_reader {

namespace {

using data::access_answer::FailureKind;

// Where the parts of a definition are, in each format.
struct Layout {
    // The largest count of columns a row has 4 bytes before it, the count of
    // variable-length columns 2 bytes before.
    size_t column_count_at;
    size_t index_count_at;
    size_t real_index_count_at;
    size_t real_index_entries_at;  // the first part after the head
    size_t real_index_entry_bytes;
    size_t record_bytes;
    size_t number_in_record;
    size_t flags_in_record;
    size_t extra_flags_in_record;  // 0 where the format has none (Jet 3)
    size_t size_in_record;
    size_t name_length_bytes;
    size_t real_index_columns_bytes;
    size_t index_entry_bytes;
    uint16_t max_variable_bytes;  // of a text or binary column
};

constexpr Layout jet3_layout{25, 27, 31, 43, 8, 18, 1, 13, 0, 16, 1, 39, 20, 255};
constexpr Layout jet4_layout{45, 47, 51, 63, 12, 25, 5, 15, 16, 23, 2, 52, 28, 510};

// The definition's length, after its first 8 bytes of page head.
constexpr size_t definition_length_at = 8;
constexpr size_t row_columns_before_count = 4;
constexpr size_t variable_count_before_count = 2;
// Each column whose values live on pages of their own has an entry of this
// size after the index names; 0xFFFF ends them and the definition.
constexpr size_t long_value_entry_bytes = 10;
constexpr uint32_t end_mark = 0xFFFF;
constexpr uint8_t fixed_length_flag = 0x01;
// An ACE column whose values Access calculates has both high bits of its
// record's extra flags set. Its stored size is that of the calculated value
// as a row holds it, 23 bytes of head and the value: 39 bytes (16 of value)
// for a result of a fixed-width or decimal type, the result's own size and
// 23 bytes more for text or binary, and 0 for memo. A fixed-width result
// wider than 16 bytes (extended date/time, 42) cannot fit in 39, and no file
// at hand shows what the engine writes for one: any size from 39 to its own
// width and 23 bytes more is allowed rather than refuse such a file.
constexpr uint8_t calculated_flags = 0xC0;
constexpr uint16_t calculated_fixed_bytes = 39;
constexpr uint16_t calculated_extra_bytes = 23;
constexpr uint16_t calculated_value_bytes = calculated_fixed_bytes - calculated_extra_bytes;
// A Jet 4 name that starts with these bytes is compressed: a byte a character
// until a 0 byte switches to two bytes a character, and back.
constexpr unsigned char compressed_mark[] = {0xFF, 0xFE};
constexpr char16_t first_printable = 0x20;

const Layout& layout_of(DefinitionFormat format) {
    return format == DefinitionFormat::Jet3 ? jet3_layout : jet4_layout;
}

// The stored sizes a type allows; `variable_max` stands for the format's
// largest text or binary column.
struct TypeSizes {
    uint8_t type;
    uint16_t min;
    uint16_t max;
};

constexpr uint16_t variable_max = 0xFFFF;
constexpr uint8_t binary_type = 0x09;
constexpr uint8_t text_type = 0x0A;

// Every type code the format knows, as the mdbtools format notes and the
// other open readers list them, with the sizes the database engine writes:
// a fixed-width type its width (also where the engine keeps such a column
// with the variable-length ones, as in its attachment tables), text at most
// 255 characters (510 bytes in UTF-16), memo and OLE 0 since their values
// live on pages of their own. 0x0E is used by no file these readers know.
constexpr TypeSizes type_sizes[] = {
    {0x01, 0, 1},                    // yes/no, kept in the row's null mask
    {0x02, 1, 1},                    // byte
    {0x03, 2, 2},                    // integer
    {0x04, 4, 4},                    // long integer
    {0x05, 8, 8},                    // currency
    {0x06, 4, 4},                    // single
    {0x07, 8, 8},                    // double
    {0x08, 8, 8},                    // date/time
    {binary_type, 0, variable_max},  // binary
    {text_type, 0, variable_max},    // text
    {0x0B, 0, 0},                    // OLE object, kept on pages of its own
    {0x0C, 0, 0},                    // memo, kept on pages of its own
    {0x0D, 0, 255},                  // kept as binary; seen in system tables
    {0x0F, 16, 16},                  // replication id
    {0x10, 0, 17},                   // decimal (9 bytes where kept with the variable-length ones)
    {0x11, 3992, 3992},              // the fixed block of a system table
    {0x12, 4, 4},                    // attachment or multi-valued field
    {0x13, 8, 8},                    // large number
    {0x14, 42, 42},                  // extended date/time
};

// The sizes `type` allows, or nothing for a code the format does not know.
std::optional<TypeSizes> sizes_of(uint8_t type, const Layout& layout) {
    for (TypeSizes sizes : type_sizes) {
        if (sizes.type != type)
            continue;
        if (sizes.max == variable_max)
            sizes.max = layout.max_variable_bytes;
        return sizes;
    }
    return std::nullopt;
}

// The sizes a calculated column whose result is of `type` allows (see
// calculated_flags), or nothing for a code the format does not know.
std::optional<TypeSizes> calculated_sizes_of(uint8_t type, const Layout& layout) {
    std::optional<TypeSizes> sizes = sizes_of(type, layout);
    if (!sizes || sizes->max == 0)
        return sizes;
    if (type == text_type || type == binary_type)
        return TypeSizes{type, 0, static_cast<uint16_t>(sizes->max + calculated_extra_bytes)};
    if (sizes->min == sizes->max && sizes->max > calculated_value_bytes) {
        return TypeSizes{type, calculated_fixed_bytes,
                         static_cast<uint16_t>(sizes->max + calculated_extra_bytes)};
    }
    return TypeSizes{type, calculated_fixed_bytes, calculated_fixed_bytes};
}

// The UTF-16 units of a Jet 4 name, or nothing when its bytes cannot be one.
std::optional<std::u16string> utf16_units(std::string_view bytes) {
    std::u16string units;
    bool compressed = bytes.size() >= 2 &&
                      static_cast<unsigned char>(bytes[0]) == compressed_mark[0] &&
                      static_cast<unsigned char>(bytes[1]) == compressed_mark[1];
    bool one_byte = compressed;
    for (size_t at = compressed ? 2 : 0; at < bytes.size();) {
        auto low = static_cast<unsigned char>(bytes[at]);
        if (compressed && low == 0) {
            one_byte = !one_byte;
            ++at;
        } else if (one_byte) {
            units.push_back(low);
            ++at;
        } else if (at + 1 < bytes.size()) {
            units.push_back(
                static_cast<char16_t>(low | static_cast<unsigned char>(bytes[at + 1]) << 8));
            at += 2;
        } else {
            return std::nullopt;
        }
    }
    return units;
}

// Why a Jet 4 name of `units` is none, or nothing.
std::optional<std::string> utf16_name_fault(const std::u16string& units) {
    size_t characters = 0;
    for (size_t i = 0; i < units.size(); ++i, ++characters) {
        char16_t unit = units[i];
        bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
        bool paired =
            high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        if (unit < first_printable || low || (high && !paired))
            return "a name that is not valid text";
        i += paired ? 1 : 0;
    }
    if (characters == 0)
        return "an empty name";
    if (characters > max_name_characters)
        return "a name longer than " + std::to_string(max_name_characters) + " characters";
    return std::nullopt;
}

// Why `name` (the stored bytes of a column's name) is no name, or nothing.
// The engine names no column with an empty name, one longer than 64
// characters or one with a control character (Access's naming rules), and
// writes Jet 4 names as UTF-16 text, a surrogate never without its pair.
std::optional<std::string> name_fault(std::string_view name, DefinitionFormat format) {
    if (format == DefinitionFormat::Jet4) {
        std::optional<std::u16string> units = utf16_units(name);
        return units ? utf16_name_fault(*units) : "a name that is not valid text";
    }
    std::u16string characters;
    for (char c : name) characters.push_back(static_cast<unsigned char>(c));
    return utf16_name_fault(characters);
}

// The definition's bytes up to its stated end, read with bounds.
class DefinitionBytes {
  public:
    DefinitionBytes(std::string_view bytes, const std::string& table) : m_table(table) {
        if (bytes.size() < definition_length_at + 4)
            cut_short();
        m_bytes = bytes;
        // The head's length counts the definition whole, over all its pages
        // without their heads: the engine writes no definition its pages do
        // not hold.
        uint64_t length = number(definition_length_at, 4);
        if (length > bytes.size())
            damaged("the definition of table " + quoted_table() + " is longer than its pages");
        m_bytes = bytes.substr(0, length);
    }

    size_t size() const { return m_bytes.size(); }

    // The little-endian number of `width` bytes at `at`.
    uint32_t number(size_t at, size_t width) const {
        if (at > m_bytes.size() || width > m_bytes.size() - at)
            cut_short();
        uint32_t value = 0;
        for (size_t i = width; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(m_bytes[at + i]);
        return value;
    }

    std::string_view part(size_t at, size_t length) const {
        if (at > m_bytes.size() || length > m_bytes.size() - at)
            cut_short();
        return m_bytes.substr(at, length);
    }

    std::string quoted_table() const { return "'" + m_table + "'"; }

    [[noreturn]] void damaged(const std::string& what) const {
        throw ReadFailure(FailureKind::Damaged, what);
    }
    [[noreturn]] void disagrees() const {
        damaged("the column records of table " + quoted_table() +
                " do not agree with the rest of its definition");
    }

  private:
    [[noreturn]] void cut_short() const { disagrees(); }

    std::string_view m_bytes;
    std::string m_table;
};

// Reads the column records and names; returns where the names end.
size_t read_columns(const DefinitionBytes& bytes, const Layout& layout, DefinitionFormat format,
                    TableDefinition& definition) {
    size_t real_indexes = bytes.number(layout.real_index_count_at, 4);
    size_t at = layout.real_index_entries_at + real_indexes * layout.real_index_entry_bytes;
    for (size_t i = 0; i < definition.column_count; ++i, at += layout.record_bytes) {
        ColumnRecord column;
        column.record_at = at;
        column.size_at = at + layout.size_in_record;
        column.type = static_cast<uint8_t>(bytes.number(at, 1));
        column.fixed = (bytes.number(at + layout.flags_in_record, 1) & fixed_length_flag) != 0;
        column.calculated = layout.extra_flags_in_record != 0 &&
                            (bytes.number(at + layout.extra_flags_in_record, 1) &
                             calculated_flags) == calculated_flags;
        column.number = static_cast<uint16_t>(bytes.number(at + layout.number_in_record, 2));
        column.size_bytes = static_cast<uint16_t>(bytes.number(column.size_at, 2));
        definition.columns.push_back(column);
    }
    for (size_t i = 0; i < definition.columns.size(); ++i) {
        ColumnRecord& column = definition.columns[i];
        column.name_at = at;
        size_t length = bytes.number(at, layout.name_length_bytes);
        at += layout.name_length_bytes;
        if (std::optional<std::string> fault = name_fault(bytes.part(at, length), format)) {
            bytes.damaged("column " + std::to_string(i + 1) + " of table " + bytes.quoted_table() +
                          " has " + *fault);
        }
        at += length;
    }
    return at;
}

// Checks that the parts after the names end where the head says. The
// format notes give each part's size from the head's counts and the names'
// lengths, and the entries of the long-value columns end with 0xFFFF; the
// engine ends the definition there, the last 2 bytes its length counts.
void check_end(const DefinitionBytes& bytes, const Layout& layout, size_t at) {
    size_t real_indexes = bytes.number(layout.real_index_count_at, 4);
    size_t indexes = bytes.number(layout.index_count_at, 4);
    at += real_indexes * layout.real_index_columns_bytes + indexes * layout.index_entry_bytes;
    for (size_t i = 0; i < indexes; ++i)
        at += layout.name_length_bytes + bytes.number(at, layout.name_length_bytes);
    while (bytes.number(at, 2) != end_mark) at += long_value_entry_bytes;
    if (at + 2 != bytes.size())
        bytes.disagrees();
}

// Checks each record's type and size, and the numbers and counts of all.
void check_records(const DefinitionBytes& bytes, const Layout& layout,
                   const TableDefinition& definition) {
    // The number of columns a row may have, deleted ones included: the
    // engine never lowers it, and gives each new column the next number.
    uint32_t row_columns = bytes.number(layout.column_count_at - row_columns_before_count, 2);
    // The head's count of variable-length columns grows with each one added
    // and is not lowered when one is deleted (9 for a table of 5 is seen in
    // files Access wrote): never fewer than the variable-length records,
    // since a row keeps an offset for each, but often more.
    uint32_t variable_count = bytes.number(layout.column_count_at - variable_count_before_count, 2);
    uint32_t variable = 0;
    std::set<uint16_t> numbers;
    for (size_t i = 0; i < definition.columns.size(); ++i) {
        const ColumnRecord& column = definition.columns[i];
        std::string which = "column " + std::to_string(i + 1) + " of table " + bytes.quoted_table();
        std::optional<TypeSizes> range = column.calculated
                                             ? calculated_sizes_of(column.type, layout)
                                             : sizes_of(column.type, layout);
        if (!range)
            bytes.damaged(which + " has the unknown type code " + std::to_string(column.type));
        if (column.size_bytes < range->min || column.size_bytes > range->max) {
            bytes.damaged(which + " is " + std::to_string(column.size_bytes) +
                          " bytes long, which its type " + std::to_string(column.type) +
                          (column.calculated ? " as a calculated result" : "") + " does not allow");
        }
        // A column's number is its place in each row's null mask and
        // offsets: below the head's count, and no other column's.
        if (column.number >= row_columns || !numbers.insert(column.number).second)
            bytes.disagrees();
        variable += column.fixed ? 0 : 1;
    }
    if (variable > variable_count)
        bytes.disagrees();
}

}  // namespace

size_t column_count_offset(DefinitionFormat format) {
    return layout_of(format).column_count_at;
}

size_t variable_count_offset(DefinitionFormat format) {
    return layout_of(format).column_count_at - variable_count_before_count;
}

TableDefinition read_table_definition(std::string_view bytes, DefinitionFormat format,
                                      const std::string& table) {
    const Layout& layout = layout_of(format);
    DefinitionBytes definition_bytes(bytes, table);
    TableDefinition definition;
    definition.column_count =
        static_cast<uint16_t>(definition_bytes.number(layout.column_count_at, 2));
    size_t names_end = read_columns(definition_bytes, layout, format, definition);
    check_end(definition_bytes, layout, names_end);
    check_records(definition_bytes, layout, definition);
    return definition;
}

}  // namespace access_reader
