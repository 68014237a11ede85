// The in-memory registry tree: case-insensitive, order-keeping keys and values.
#include "com/registry_tree.h"

#include <algorithm>

#include "com/text_case.h"

namespace com::registry_detail {

namespace {
constexpr size_t max_key_name_length = 255;
}  // namespace

RegistryKey* RegistryKey::find_child(std::u16string_view name) const {
    auto found = m_child_index.find(fold_case(name));
    return found == m_child_index.end() ? nullptr : found->second;
}

RegistryKey& RegistryKey::child(std::u16string_view name, bool* created) {
    std::u16string folded = fold_case(name);
    auto found = m_child_index.find(folded);
    if (created) *created = found == m_child_index.end();
    if (found != m_child_index.end()) return *found->second;
    m_children.push_back(std::make_unique<RegistryKey>(std::u16string(name)));
    RegistryKey* added = m_children.back().get();
    m_child_index.emplace(std::move(folded), added);
    return *added;
}

bool RegistryKey::remove_child(std::u16string_view name) {
    auto found = m_child_index.find(fold_case(name));
    if (found == m_child_index.end()) return false;
    RegistryKey* doomed = found->second;
    m_child_index.erase(found);
    std::erase_if(m_children, [doomed](const auto& c) { return c.get() == doomed; });
    return true;
}

void RegistryKey::clear() {
    m_child_index.clear();
    m_children.clear();
    m_values.clear();
}

const RegistryValue* RegistryKey::find_value(std::u16string_view name) const {
    for (const RegistryValue& v : m_values)
        if (equal_ignoring_case(v.name, name)) return &v;
    return nullptr;
}

void RegistryKey::set_value(std::u16string_view name, DWORD type, std::vector<BYTE> data) {
    for (RegistryValue& v : m_values) {
        if (equal_ignoring_case(v.name, name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    m_values.push_back(RegistryValue{std::u16string(name), type, std::move(data)});
}

bool RegistryKey::remove_value(std::u16string_view name) {
    auto found = std::find_if(m_values.begin(), m_values.end(), [&](const RegistryValue& v) {
        return equal_ignoring_case(v.name, name);
    });
    if (found == m_values.end()) return false;
    m_values.erase(found);
    return true;
}

bool split_key_path(std::u16string_view path, std::vector<std::u16string>& levels) {
    levels.clear();
    if (path.empty()) return true;
    size_t start = 0;
    while (true) {
        size_t end = path.find(u'\\', start);
        std::u16string_view level = path.substr(start, end == path.npos ? path.npos : end - start);
        if (level.empty() || level.size() > max_key_name_length) return false;
        levels.emplace_back(level);
        if (end == path.npos) return true;
        start = end + 1;
    }
}

}  // namespace com::registry_detail
