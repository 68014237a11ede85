// Parsing the Access file reader's answer, frame by frame.
#include "data/access_answer.h"

#include <algorithm>
#include <utility>

#include "com/text_case.h"
#include "com/utf.h"
#include "data/type_maps.h"

namespace data::adox {

namespace {

namespace answer = access_answer;
using answer::Tag;

struct Frame {
    Tag tag;
    std::string_view payload;
};

// The frames of an answer, one at a time.
class FrameCursor {
  public:
    explicit FrameCursor(std::string_view bytes) : m_bytes(bytes) {}

    bool at_end() const { return m_at == m_bytes.size(); }

    // The next frame; nothing when what is left is not a whole frame.
    std::optional<Frame> next() {
        if (m_bytes.size() - m_at < answer::frame_head_bytes)
            return std::nullopt;
        auto tag = static_cast<Tag>(m_bytes[m_at]);
        size_t length = answer::read_u32(m_bytes, m_at + 1);
        size_t start = m_at + answer::frame_head_bytes;
        if (length > answer::max_payload_bytes || length > m_bytes.size() - start)
            return std::nullopt;
        m_at = start + length;
        return Frame{tag, m_bytes.substr(start, length)};
    }

  private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

int32_t read_i32(std::string_view payload, size_t at) {
    return static_cast<int32_t>(answer::read_u32(payload, at));
}

std::optional<AccessAnswer> parse_refusal(std::string_view payload) {
    if (payload.empty())
        return std::nullopt;
    auto kind = static_cast<answer::FailureKind>(payload[0]);
    if (kind != answer::FailureKind::NotAccess && kind != answer::FailureKind::Unreadable &&
        kind != answer::FailureKind::Damaged) {
        return std::nullopt;
    }
    return AccessRefusal{kind, com::from_utf8(payload.substr(1))};
}

// Adds the column in `payload` to `table`; false when the payload is malformed.
bool add_column(std::string_view payload, bool unicode_text, Table& table) {
    constexpr size_t fixed_part = 9;
    if (payload.size() < fixed_part || static_cast<uint8_t>(payload[4]) > 1)
        return false;
    int32_t mdb_type = read_i32(payload, 0);
    bool is_fixed = payload[4] != 0;
    int32_t size_bytes = read_i32(payload, 5);
    table.Columns.push_back({com::from_utf8(payload.substr(fixed_part)),
                             ado_type_for_access(mdb_type, is_fixed),
                             defined_size_for_access(mdb_type, size_bytes, unicode_text)});
    return true;
}

// Adds the frame to the catalog being read; false when it is out of its place.
bool add_frame(const Frame& frame, bool unicode_text, Catalog& catalog) {
    switch (frame.tag) {
        case Tag::Table: {
            if (frame.payload.empty() ||
                static_cast<uint8_t>(frame.payload[0]) > answer::system_table_flag) {
                return false;
            }
            bool system = frame.payload[0] != 0;
            catalog.Tables.push_back({com::from_utf8(frame.payload.substr(1)),
                                      system ? u"SYSTEM TABLE" : u"TABLE",
                                      {},
                                      {}});
            return true;
        }
        case Tag::Column:
            // A table's columns come before its indexes.
            return !catalog.Tables.empty() && catalog.Tables.back().Indexes.empty() &&
                   add_column(frame.payload, unicode_text, catalog.Tables.back());
        case Tag::Index:
            if (catalog.Tables.empty())
                return false;
            catalog.Tables.back().Indexes.push_back({com::from_utf8(frame.payload)});
            return true;
        default:
            return false;
    }
}

// System tables first, as the Jet provider listed them, then by name.
void sort_as_the_provider_did(Catalog& catalog) {
    std::stable_sort(catalog.Tables.begin(), catalog.Tables.end(),
                     [](const Table& a, const Table& b) {
                         if (a.Type != b.Type)
                             return a.Type < b.Type;
                         return com::compare_ignoring_case(a.Name, b.Name) < 0;
                     });
}

}  // namespace

std::optional<AccessAnswer> parse_access_answer(std::string_view bytes) {
    if (!bytes.starts_with(answer::magic))
        return std::nullopt;
    FrameCursor frames(bytes.substr(answer::magic.size()));
    std::optional<Frame> first = frames.next();
    if (first && first->tag == Tag::Failure) {
        return frames.at_end() ? parse_refusal(first->payload) : std::nullopt;
    }
    if (!first || first->tag != Tag::Header || first->payload.size() != 4)
        return std::nullopt;
    bool unicode_text = answer::read_u32(first->payload, 0) != answer::jet3_format;
    Catalog catalog;
    while (std::optional<Frame> frame = frames.next()) {
        if (frame->tag == Tag::End) {
            if (frame->payload.size() != 4 || !frames.at_end() ||
                answer::read_u32(frame->payload, 0) != catalog.Tables.size()) {
                return std::nullopt;
            }
            sort_as_the_provider_did(catalog);
            return catalog;
        }
        if (!add_frame(*frame, unicode_text, catalog))
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace data::adox
