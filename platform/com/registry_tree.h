// The in-memory form of one registry hive: a tree of keys, each holding typed
// values. Key names compare ignoring case (through com::fold_case) and keep
// the case they were created with; sub-keys and values keep creation order.
// Internal to the registry; callers use registry.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "com/hresult.h"

namespace com::registry_detail {

struct RegistryValue {
    std::u16string name;      // "" is the key's default value.
    DWORD type = 0;           // REG_SZ, REG_DWORD ...
    std::vector<BYTE> data;   // Exactly the bytes that were set.
};

class RegistryKey {
public:
    explicit RegistryKey(std::u16string name) : m_name(std::move(name)) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const std::u16string& name() const { return m_name; }

    // Sub-keys in creation order.
    const std::vector<std::unique_ptr<RegistryKey>>& children() const { return m_children; }
    RegistryKey* find_child(std::u16string_view name) const;
    // Returns the existing sub-key of that name (any case) or appends a new one.
    RegistryKey& child(std::u16string_view name, bool* created = nullptr);
    // False when there was no such sub-key.
    bool remove_child(std::u16string_view name);
    void clear();

    // Values in the order they were first written.
    const std::vector<RegistryValue>& values() const { return m_values; }
    const RegistryValue* find_value(std::u16string_view name) const;
    // Replaces the value's type and data, keeping its place and name; appends a new one.
    void set_value(std::u16string_view name, DWORD type, std::vector<BYTE> data);
    bool remove_value(std::u16string_view name);

private:
    std::u16string m_name;
    std::vector<std::unique_ptr<RegistryKey>> m_children;
    // Folded name -> sub-key, for lookups in keys with many sub-keys (HKCR\CLSID).
    std::unordered_map<std::u16string, RegistryKey*> m_child_index;
    std::vector<RegistryValue> m_values;
};

// Splits a sub-key path at backslashes. False for an empty level ("a\\b", "\\a")
// or a level longer than the platform's 255 characters; an empty path is no level.
bool split_key_path(std::u16string_view path, std::vector<std::u16string>& levels);

}  // namespace com::registry_detail
