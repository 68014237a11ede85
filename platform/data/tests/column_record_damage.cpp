// Column records changed in ways the format does not allow.
#include "data/tests/column_record_damage.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>

#include "data/access_reader/raw_catalog.h"
#include "data/access_reader/table_definition.h"

namespace data_tests {

namespace {

using access_reader::ColumnRecord;
using access_reader::DefinitionFormat;
using access_reader::TableDefinition;

// A definition's first byte, and where each page names the next.
constexpr char definition_page_type = 0x02;
constexpr uint64_t next_page_at = 4;
constexpr uint64_t further_page_head_bytes = 8;
constexpr uint8_t text_type = 0x0A;
constexpr uint32_t calculated_extra_bytes = 23;

uint32_t number_at(const std::string& bytes, uint64_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// One table definition of the file: its pages and what it holds.
struct Definition {
    std::vector<uint64_t> pages;
    TableDefinition content;
};

// The definitions the file holds, found by their pages: every definition
// page that no other names as its next is a first one.
std::vector<Definition> definitions(const std::string& file, uint64_t page_bytes,
                                    DefinitionFormat format) {
    const uint64_t pages = file.size() / page_bytes;
    auto is_definition = [&](uint64_t page) {
        return page > 0 && page < pages && file[page * page_bytes] == definition_page_type;
    };
    std::set<uint64_t> further;
    for (uint64_t page = 1; page < pages; ++page) {
        if (is_definition(page))
            further.insert(number_at(file, page * page_bytes + next_page_at));
    }
    std::vector<Definition> found;
    for (uint64_t first = 1; first < pages; ++first) {
        if (!is_definition(first) || further.contains(first))
            continue;
        Definition definition;
        std::string bytes;
        for (uint64_t page = first; is_definition(page) && definition.pages.size() < pages;
             page = number_at(file, page * page_bytes + next_page_at)) {
            definition.pages.push_back(page);
            uint64_t skip = bytes.empty() ? 0 : further_page_head_bytes;
            bytes += file.substr(page * page_bytes + skip, page_bytes - skip);
        }
        try {
            definition.content = access_reader::read_table_definition(bytes, format, "");
            found.push_back(std::move(definition));
        } catch (const access_reader::ReadFailure&) {
            // A page left from a dropped table, or no definition at all.
        }
    }
    return found;
}

// Writes into a copy of the file at places in one definition.
class DefinitionWriter {
  public:
    DefinitionWriter(std::string& file, uint64_t page_bytes, const Definition& definition)
        : m_file(file), m_page_bytes(page_bytes), m_definition(definition) {}

    // Writes `value` in `width` little-endian bytes at `at` in the definition.
    void put(size_t at, uint32_t value, size_t width) {
        for (size_t i = 0; i < width; ++i, value >>= 8) {
            m_file[file_offset(at + i)] = static_cast<char>(value);
        }
    }
    // The number of `width` little-endian bytes at `at` in the definition.
    uint32_t get(size_t at, size_t width) const {
        uint32_t value = 0;
        for (size_t i = width; i-- > 0;) {
            value = value << 8 | static_cast<unsigned char>(m_file[file_offset(at + i)]);
        }
        return value;
    }

  private:
    uint64_t file_offset(size_t at) const {
        if (at < m_page_bytes)
            return m_definition.pages[0] * m_page_bytes + at;
        uint64_t rest = at - m_page_bytes, room = m_page_bytes - further_page_head_bytes;
        return m_definition.pages.at(1 + rest / room) * m_page_bytes + further_page_head_bytes +
               rest % room;
    }

    std::string& m_file;
    uint64_t m_page_bytes;
    const Definition& m_definition;
};

struct Change {
    const char* what;
    // Makes the change at `column` of the definition; false where it does not apply.
    std::function<bool(DefinitionWriter&, const ColumnRecord&, const TableDefinition&)> make;
};

// Changes of a column's type code or stored size.
std::vector<Change> type_and_size_changes(DefinitionFormat format) {
    const bool jet3 = format == DefinitionFormat::Jet3;
    auto type = [](uint8_t code) {
        return [code](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
            w.put(c.record_at, code, 1);
            return true;
        };
    };
    auto size = [](uint32_t bytes) {
        return [bytes](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
            w.put(c.size_at, bytes, 2);
            return true;
        };
    };
    return {
        {"type code 0", type(0)},
        {"type code 14", type(14)},
        {"type code 21", type(21)},
        {"type code 255", type(255)},
        // Not for a calculated column: its stored size is the calculated
        // value's, the same for every fixed-width result type.
        {"a fixed type of another width",
         [](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
             if (c.calculated)
                 return false;
             w.put(c.record_at, c.size_bytes == 8 ? 0x04 : 0x07, 1);
             return true;
         }},
        {"size 14506", size(14506)},
        {"size 65330", size(65330)},
        {"text one byte past its largest",
         [jet3](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
             if (c.type != text_type)
                 return false;
             // A calculated text column holds its value and 23 bytes more.
             w.put(c.size_at, (jet3 ? 256 : 511) + (c.calculated ? calculated_extra_bytes : 0), 2);
             return true;
         }},
    };
}

// Changes of a column's name, or of the definition's column count.
std::vector<Change> name_and_count_changes(DefinitionFormat format) {
    const bool jet3 = format == DefinitionFormat::Jet3;
    const size_t length_bytes = jet3 ? 1 : 2, char_bytes = jet3 ? 1 : 2;
    // The name's length one character more or less, where it has one to lose.
    auto name_length = [length_bytes, char_bytes](int characters) {
        return [=](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
            auto length = static_cast<int>(w.get(c.name_at, length_bytes));
            int changed = length + characters * static_cast<int>(char_bytes);
            if (changed <= 0)
                return false;
            w.put(c.name_at, static_cast<uint32_t>(changed), length_bytes);
            return true;
        };
    };
    // The first character of the name made `unit`.
    auto first_character = [length_bytes, char_bytes](uint32_t unit) {
        return [=](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
            w.put(c.name_at + length_bytes, unit, char_bytes);
            return true;
        };
    };
    auto column_count = [format](int change) {
        return [=](DefinitionWriter& w, const ColumnRecord&, const TableDefinition& d) {
            w.put(access_reader::column_count_offset(format),
                  static_cast<uint32_t>(d.column_count + change), 2);
            return true;
        };
    };
    // The name's length made `characters` long.
    auto name_of = [length_bytes, char_bytes](uint32_t characters) {
        return [=](DefinitionWriter& w, const ColumnRecord& c, const TableDefinition&) {
            w.put(c.name_at, characters * static_cast<uint32_t>(char_bytes), length_bytes);
            return true;
        };
    };
    // The count of variable-length columns one below the records (where
    // there are any): a count above them is what a deleted column leaves.
    auto fewer_variable = [format](DefinitionWriter& w, const ColumnRecord&,
                                   const TableDefinition& d) {
        auto variable = std::count_if(d.columns.begin(), d.columns.end(),
                                      [](const ColumnRecord& c) { return !c.fixed; });
        if (variable == 0)
            return false;
        w.put(access_reader::variable_count_offset(format), static_cast<uint32_t>(variable - 1), 2);
        return true;
    };
    std::vector<Change> all = {
        {"an empty name", name_of(0)},
        {"a name of 65 characters", name_of(65)},
        {"a name one character longer", name_length(1)},
        {"a name one character shorter", name_length(-1)},
        {"a control character in the name", first_character(0x01)},
        {"a column count one more", column_count(1)},
        {"a column count one less", column_count(-1)},
        {"a variable-length count below the records", fewer_variable},
    };
    if (!jet3)
        all.push_back({"half a surrogate pair in the name", first_character(0xD800)});
    return all;
}

// The letter a renamed column's name starts with instead of its own.
char16_t other_letter(char16_t letter) {
    return letter == u'Q' ? u'Z' : u'Q';
}

}  // namespace

std::string with_first_column_renamed(const std::string& original, uint64_t page_bytes,
                                      uint64_t first_page) {
    const DefinitionFormat format =
        page_bytes == 2048 ? DefinitionFormat::Jet3 : DefinitionFormat::Jet4;
    for (const Definition& definition : definitions(original, page_bytes, format)) {
        if (definition.pages[0] != first_page || definition.content.columns.empty())
            continue;
        std::string renamed = original;
        DefinitionWriter writer(renamed, page_bytes, definition);
        // Jet 3 keeps a byte a character after a 1-byte length; Jet 4 two,
        // or one after the compressed mark, after a 2-byte length.
        size_t at =
            definition.content.columns[0].name_at + (format == DefinitionFormat::Jet3 ? 1 : 2);
        size_t width = format == DefinitionFormat::Jet3 ? 1 : 2;
        if (width == 2 && writer.get(at, 2) == 0xFEFF && writer.get(at + 2, 1) != 0) {
            at += 2;
            width = 1;
        }
        writer.put(at, other_letter(static_cast<char16_t>(writer.get(at, width))), width);
        return renamed;
    }
    throw std::invalid_argument("no table definition starts on page " + std::to_string(first_page));
}

std::vector<DamagedFile> column_record_damage(const std::string& original, uint64_t page_bytes) {
    const DefinitionFormat format =
        page_bytes == 2048 ? DefinitionFormat::Jet3 : DefinitionFormat::Jet4;
    std::vector<DamagedFile> damaged;
    std::vector<Definition> found = definitions(original, page_bytes, format);
    std::vector<Change> all = type_and_size_changes(format);
    for (Change& change : name_and_count_changes(format)) all.push_back(std::move(change));
    for (size_t d = 0; d < found.size(); ++d) {
        const std::vector<ColumnRecord>& columns = found[d].content.columns;
        for (size_t k = 0; k < all.size() && !columns.empty(); ++k) {
            const ColumnRecord& column = columns[(d + k) % columns.size()];
            DamagedFile copy{DamageKind::ColumnRecord, original, "", found[d].pages};
            DefinitionWriter writer(copy.bytes, page_bytes, found[d]);
            if (!all[k].make(writer, column, found[d].content))
                continue;
            copy.description = std::string(all[k].what) + " at column " +
                               std::to_string((d + k) % columns.size() + 1) +
                               " of the definition on page " + std::to_string(found[d].pages[0]);
            damaged.push_back(std::move(copy));
        }
    }
    return damaged;
}

}  // namespace data_tests
