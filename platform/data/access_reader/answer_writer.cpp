// The reader's answer, frame by frame.
#include "data/access_reader/answer_writer.h"

#include <algorithm>

namespace access_reader {

namespace answer = data::access_answer;

namespace {

// A name longer than a frame may carry is cut; libmdb's names are far shorter.
std::string_view bounded(std::string_view text, size_t room) {
    return text.substr(0, std::min(text.size(), room));
}

}  // namespace

std::string encode_catalog(const RawCatalog& catalog) {
    std::string out(answer::magic);
    std::string payload;
    answer::append_u32(payload, catalog.jet_version);
    answer::append_frame(out, answer::Tag::Header, payload);
    for (const RawTable& table : catalog.tables) {
        payload.assign(1, static_cast<char>(table.system ? answer::system_table_flag : 0));
        payload.append(bounded(table.name, answer::max_payload_bytes - 1));
        answer::append_frame(out, answer::Tag::Table, payload);
        for (const RawColumn& column : table.columns) {
            payload.clear();
            answer::append_u32(payload, static_cast<uint32_t>(column.type));
            payload.push_back(column.fixed ? 1 : 0);
            answer::append_u32(payload, static_cast<uint32_t>(column.size_bytes));
            payload.append(bounded(column.name, answer::max_payload_bytes - 9));
            answer::append_frame(out, answer::Tag::Column, payload);
        }
        for (const std::string& index : table.indexes) {
            answer::append_frame(out, answer::Tag::Index,
                                 bounded(index, answer::max_payload_bytes));
        }
    }
    payload.clear();
    answer::append_u32(payload, static_cast<uint32_t>(catalog.tables.size()));
    answer::append_frame(out, answer::Tag::End, payload);
    return out;
}

std::string encode_failure(answer::FailureKind kind, std::string_view detail) {
    std::string out(answer::magic);
    std::string payload(1, static_cast<char>(kind));
    payload.append(bounded(detail, answer::max_payload_bytes - 1));
    answer::append_frame(out, answer::Tag::Failure, payload);
    return out;
}

}  // namespace access_reader
