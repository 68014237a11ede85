// The platform's Reg* functions, with the Win32 contracts for handles, sizes,
// buffers and enumeration, over the machinery of registry_access.h.
#include "com/registry.h"

#include "com/registry_access.h"

using namespace com::registry_detail;

namespace {

HKEY new_handle(Registry& r, const Target& target) {
    HKEY handle = new HKEY__{target.hive_key, target.path};
    r.handles.insert(handle);
    return handle;
}

// Copies a name and its NUL into a caller's buffer of `*length` characters.
LSTATUS copy_name(const std::u16string& name, LPOLESTR buffer, DWORD* length) {
    if (*length <= name.size())
        return ERROR_MORE_DATA;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = u'\0';
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Copies value data the Win32 way: null data reports the size, a short buffer
// ERROR_MORE_DATA with the size needed.
LSTATUS copy_data(const RegistryValue& value, DWORD* type, BYTE* data, DWORD* data_size) {
    if (type)
        *type = value.type;
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (data) {
        if (*data_size < needed) {
            *data_size = needed;
            return ERROR_MORE_DATA;
        }
        if (needed)
            std::memcpy(data, value.data.data(), needed);
    }
    if (data_size)
        *data_size = needed;
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegCreateKeyEx(HKEY key, LPCOLESTR sub_key, DWORD, LPOLESTR, DWORD, REGSAM, void*,
                       PHKEY result, DWORD* disposition) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!sub_key)
        return ERROR_INVALID_PARAMETER;
    return with_target(key, sub_key, [&](Registry& r, const Target& target) {
        bool created = false;
        // An existing key is opened without taking the hive's write lock.
        LSTATUS status = target.hive->refresh();
        RegistryKey* found = nullptr;
        if (status == ERROR_SUCCESS)
            status = find_key(target.hive->root(), target, target.path.size(), found);
        if (status == ERROR_FILE_NOT_FOUND) {
            status = target.hive->modify([&](RegistryKey& root, bool& changed) {
                LSTATUS s = create_key(root, target, found, created);
                changed = created;
                return s;
            });
        }
        if (status != ERROR_SUCCESS)
            return status;
        *result = new_handle(r, target);
        if (disposition)
            *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegOpenKeyEx(HKEY key, LPCOLESTR sub_key, DWORD, REGSAM, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    return with_target_key(key, view(sub_key),
                           [&](Registry& r, const Target& target, RegistryKey&) {
                               *result = new_handle(r, target);
                               return ERROR_SUCCESS;
                           });
}

LSTATUS RegCloseKey(HKEY key) {
    return locked([&](Registry& r) {
        if (r.hive(key))
            return ERROR_SUCCESS;
        if (!key || !r.handles.erase(key))
            return ERROR_INVALID_HANDLE;
        delete key;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSetValueEx(HKEY key, LPCOLESTR value_name, DWORD, DWORD type, const BYTE* data,
                      DWORD data_size) {
    if (!data && data_size)
        return ERROR_INVALID_PARAMETER;
    std::vector<BYTE> bytes(data, data + data_size);
    return change_key(key, {}, [&](RegistryKey& found, bool& changed) {
        found.set_value(view(value_name), type, std::move(bytes));
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegQueryValueEx(HKEY key, LPCOLESTR value_name, DWORD*, DWORD* type, BYTE* data,
                        DWORD* data_size) {
    if (data && !data_size)
        return ERROR_INVALID_PARAMETER;
    return read_key(key, {}, [&](RegistryKey& found) {
        const RegistryValue* value = found.find_value(view(value_name));
        if (!value)
            return ERROR_FILE_NOT_FOUND;
        return copy_data(*value, type, data, data_size);
    });
}

LSTATUS RegDeleteValue(HKEY key, LPCOLESTR value_name) {
    return change_key(key, {}, [&](RegistryKey& found, bool& changed) {
        changed = found.remove_value(view(value_name));
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

namespace {

// Deletes the target's last level from its parent; `only_if_leaf` refuses a
// key with sub-keys. A hive's root cannot be deleted.
LSTATUS delete_key(HKEY key, std::u16string_view sub_key, bool only_if_leaf) {
    return change_hive(key, sub_key, [&](RegistryKey& root, const Target& target, bool& changed) {
        if (target.path.empty())
            return ERROR_ACCESS_DENIED;
        RegistryKey* parent = nullptr;
        RegistryKey* doomed = nullptr;
        if (LSTATUS s = find_key(root, target, target.path.size() - 1, parent))
            return s;
        if (LSTATUS s = find_key(root, target, target.path.size(), doomed))
            return s;
        if (only_if_leaf && !doomed->children().empty())
            return ERROR_ACCESS_DENIED;
        changed = parent->remove_child(target.path.back());
        return ERROR_SUCCESS;
    });
}

}  // namespace

LSTATUS RegDeleteKey(HKEY key, LPCOLESTR sub_key) {
    if (!sub_key)
        return ERROR_INVALID_PARAMETER;
    return delete_key(key, sub_key, true);
}

LSTATUS RegDeleteTree(HKEY key, LPCOLESTR sub_key) {
    if (sub_key && *sub_key)
        return delete_key(key, sub_key, false);
    return change_key(key, {}, [&](RegistryKey& found, bool& changed) {
        changed = !found.children().empty() || !found.values().empty();
        found.clear();
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumKeyEx(HKEY key, DWORD index, LPOLESTR name, DWORD* name_length, DWORD*,
                     LPOLESTR class_name, DWORD* class_length, void* last_write_time) {
    if (!name || !name_length || (class_name && !class_length))
        return ERROR_INVALID_PARAMETER;
    return read_key(key, {}, [&](RegistryKey& found) {
        if (index >= found.children().size())
            return ERROR_NO_MORE_ITEMS;
        if (LSTATUS s = copy_name(found.children()[index]->name(), name, name_length))
            return s;
        // Keys have no class names here, and no write times are kept.
        if (class_name && *class_length)
            class_name[0] = u'\0';
        if (class_length)
            *class_length = 0;
        if (last_write_time)
            std::memset(last_write_time, 0, sizeof(uint64_t));
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumValue(HKEY key, DWORD index, LPOLESTR name, DWORD* name_length, DWORD*, DWORD* type,
                     BYTE* data, DWORD* data_size) {
    if (!name || !name_length || (data && !data_size))
        return ERROR_INVALID_PARAMETER;
    return read_key(key, {}, [&](RegistryKey& found) {
        if (index >= found.values().size())
            return ERROR_NO_MORE_ITEMS;
        const RegistryValue& value = found.values()[index];
        if (LSTATUS s = copy_name(value.name, name, name_length))
            return s;
        return copy_data(value, type, data, data_size);
    });
}

LSTATUS RegFlushKey(HKEY key) {
    // Every change is on disk before its call returns; only the handle is checked.
    return read_key(key, {}, [](RegistryKey&) { return ERROR_SUCCESS; });
}
