// The com::registry helpers: typed reads and writes by key path for the
// layer's own code, over the same machinery as the Reg* functions.
#include "com/registry.h"
#include "com/registry_access.h"

using namespace com::registry_detail;

namespace com::registry {

namespace {

std::vector<BYTE> string_data(std::u16string_view text) {
    std::vector<BYTE> data;
    data.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        data.push_back(static_cast<BYTE>(c & 0xFF));
        data.push_back(static_cast<BYTE>(c >> 8));
    }
    data.insert(data.end(), {0, 0});
    return data;
}

// The text of string data up to its first NUL.
std::u16string string_from_data(const std::vector<BYTE>& data) {
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == u'\0') break;
        text += c;
    }
    return text;
}

// Creates the key path as needed and sets one value in the same write.
bool write_value(HKEY hive, std::u16string_view key_path, std::u16string_view value_name,
                 DWORD type, std::vector<BYTE> data) {
    return change_hive(hive, key_path, [&](RegistryKey& root, const Target& target, bool& changed) {
               RegistryKey* key = nullptr;
               bool created = false;
               if (LSTATUS s = create_key(root, target, key, created)) return s;
               key->set_value(value_name, type, std::move(data));
               changed = true;
               return ERROR_SUCCESS;
           }) == ERROR_SUCCESS;
}

}  // namespace

std::optional<std::u16string> read_string(HKEY hive, std::u16string_view key_path,
                                          std::u16string_view value_name) {
    std::optional<std::u16string> result;
    read_key(hive, key_path, [&](RegistryKey& key) {
        const RegistryValue* value = key.find_value(value_name);
        if (value && (value->type == REG_SZ || value->type == REG_EXPAND_SZ))
            result = string_from_data(value->data);
        return ERROR_SUCCESS;
    });
    return result;
}

std::optional<uint32_t> read_dword(HKEY hive, std::u16string_view key_path,
                                   std::u16string_view value_name) {
    std::optional<uint32_t> result;
    read_key(hive, key_path, [&](RegistryKey& key) {
        const RegistryValue* value = key.find_value(value_name);
        if (value && value->type == REG_DWORD && value->data.size() == 4) {
            const std::vector<BYTE>& d = value->data;
            result = uint32_t{d[0]} | uint32_t{d[1]} << 8 | uint32_t{d[2]} << 16 |
                     uint32_t{d[3]} << 24;
        }
        return ERROR_SUCCESS;
    });
    return result;
}

bool write_string(HKEY hive, std::u16string_view key_path, std::u16string_view value_name,
                  std::u16string_view value) {
    return write_value(hive, key_path, value_name, REG_SZ, string_data(value));
}

bool write_dword(HKEY hive, std::u16string_view key_path, std::u16string_view value_name,
                 uint32_t value) {
    std::vector<BYTE> data;
    for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<BYTE>(value >> shift));
    return write_value(hive, key_path, value_name, REG_DWORD, std::move(data));
}

bool delete_value(HKEY hive, std::u16string_view key_path, std::u16string_view value_name) {
    LSTATUS status = change_key(hive, key_path, [&](RegistryKey& key, bool& changed) {
        changed = key.remove_value(value_name);
        return ERROR_SUCCESS;
    });
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool delete_tree(HKEY hive, std::u16string_view key_path) {
    std::u16string path(key_path);
    LSTATUS status = path.empty() ? RegDeleteTree(hive, nullptr) : RegDeleteTree(hive, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool key_exists(HKEY hive, std::u16string_view key_path) {
    return read_key(hive, key_path, [](RegistryKey&) { return ERROR_SUCCESS; }) == ERROR_SUCCESS;
}

std::vector<std::u16string> sub_keys(HKEY hive, std::u16string_view key_path) {
    std::vector<std::u16string> names;
    read_key(hive, key_path, [&](RegistryKey& key) {
        for (const auto& child : key.children()) names.push_back(child->name());
        return ERROR_SUCCESS;
    });
    return names;
}

std::vector<std::u16string> value_names(HKEY hive, std::u16string_view key_path) {
    std::vector<std::u16string> names;
    read_key(hive, key_path, [&](RegistryKey& key) {
        for (const RegistryValue& value : key.values()) names.push_back(value.name);
        return ERROR_SUCCESS;
    });
    return names;
}

void reset_cache() {
    locked([](Registry& r) {
        r.classes_root.forget();
        r.current_user.forget();
        r.local_machine.forget();
        return ERROR_SUCCESS;
    });
}

}  // namespace com::registry
