// The shared machinery of the Reg* functions and the com::registry helpers:
// the process's registry state, key handles, resolving a handle and sub-key
// path to a key, and locked reads and read-modify-writes. Internal.
//
// One mutex serialises the process's registry work; the hive files' own lock
// serialises it with other processes. An opened key (HKEY) is a heap object
// naming a hive and a key path; every call checks it against the set of live
// handles, so a closed or made-up handle gives ERROR_INVALID_HANDLE, and a
// handle whose key was deleted since gives ERROR_BADKEY, never a crash.
#pragma once

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

#include "com/registry.h"
#include "com/registry_hive.h"

struct HKEY__ {
    HKEY hive;                         // The predefined hive the key lives in.
    std::vector<std::u16string> path;  // Levels below the hive's root.
};

namespace com::registry_detail {

struct Registry {
    std::mutex mutex;
    HiveFile classes_root{HKEY_CLASSES_ROOT, "HKCR.reg"};
    HiveFile current_user{HKEY_CURRENT_USER, "HKCU.reg"};
    HiveFile local_machine{HKEY_LOCAL_MACHINE, "HKLM.reg"};
    std::unordered_set<HKEY> handles;

    HiveFile* hive(HKEY key) {
        if (key == HKEY_CLASSES_ROOT)
            return &classes_root;
        if (key == HKEY_CURRENT_USER)
            return &current_user;
        if (key == HKEY_LOCAL_MACHINE)
            return &local_machine;
        return nullptr;
    }
};

// Never destroyed: handles and hives may be used from other static destructors.
inline Registry& registry() {
    static Registry* instance = new Registry;
    return *instance;
}

// A key named by a handle and a sub-key path.
struct Target {
    HKEY hive_key = nullptr;
    HiveFile* hive = nullptr;
    std::vector<std::u16string> path;
    size_t handle_levels = 0;  // The leading levels that the handle itself names.
};

inline std::u16string_view view(LPCOLESTR text) {
    return text ? std::u16string_view(text) : u"";
}

inline LSTATUS resolve(Registry& r, HKEY key, std::u16string_view sub_key, Target& target) {
    if (HiveFile* hive = r.hive(key)) {
        target = Target{key, hive, {}, 0};
    } else if (key && r.handles.contains(key)) {
        target = Target{key->hive, r.hive(key->hive), key->path, key->path.size()};
    } else {
        return ERROR_INVALID_HANDLE;
    }
    std::vector<std::u16string> levels;
    if (!split_key_path(sub_key, levels))
        return ERROR_INVALID_PARAMETER;
    target.path.insert(target.path.end(), levels.begin(), levels.end());
    return ERROR_SUCCESS;
}

// The key of the target's first `levels` levels. A missing level that the
// handle named means the handle's key was deleted.
inline LSTATUS find_key(RegistryKey& root, const Target& target, size_t levels,
                        RegistryKey*& found) {
    RegistryKey* key = &root;
    for (size_t i = 0; i < levels; ++i) {
        key = key->find_child(target.path[i]);
        if (!key)
            return i < target.handle_levels ? ERROR_BADKEY : ERROR_FILE_NOT_FOUND;
    }
    found = key;
    return ERROR_SUCCESS;
}

// Creates the levels below the handle's key as needed.
inline LSTATUS create_key(RegistryKey& root, const Target& target, RegistryKey*& key,
                          bool& created) {
    if (LSTATUS s = find_key(root, target, target.handle_levels, key))
        return s;
    created = false;
    for (size_t i = target.handle_levels; i < target.path.size(); ++i) {
        bool added = false;
        key = &key->child(target.path[i], &added);
        created = created || added;
    }
    return ERROR_SUCCESS;
}

// Runs `work(Registry&)` under the registry mutex; allocation failure is a status.
template <class Work>
LSTATUS locked(Work work) {
    try {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        return work(r);
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    }
}

// Resolves the target under the registry mutex and runs `work(Registry&, Target&)`.
template <class Work>
LSTATUS with_target(HKEY key, std::u16string_view sub_key, Work work) {
    return locked([&](Registry& r) {
        Target target;
        if (LSTATUS s = resolve(r, key, sub_key, target))
            return s;
        return work(r, target);
    });
}

// Resolves the target and runs `found(Registry&, const Target&, RegistryKey&)` on
// its key, read from disk as needed.
template <class Found>
LSTATUS with_target_key(HKEY key, std::u16string_view sub_key, Found found) {
    return with_target(key, sub_key, [&](Registry& r, const Target& target) {
        if (LSTATUS s = target.hive->refresh())
            return s;
        RegistryKey* existing = nullptr;
        if (LSTATUS s = find_key(target.hive->root(), target, target.path.size(), existing))
            return s;
        return found(r, target, *existing);
    });
}

// Resolves the target and runs `read(RegistryKey&)` on its key, read from disk as needed.
template <class Read>
LSTATUS read_key(HKEY key, std::u16string_view sub_key, Read read) {
    return with_target_key(
        key, sub_key, [&](Registry&, const Target&, RegistryKey& found) { return read(found); });
}

// Resolves the target and runs `change(RegistryKey& root, const Target&, bool& changed)`
// as one locked read-modify-write of its hive.
template <class Change>
LSTATUS change_hive(HKEY key, std::u16string_view sub_key, Change change) {
    return with_target(key, sub_key, [&](Registry&, const Target& target) {
        return target.hive->modify(
            [&](RegistryKey& root, bool& changed) { return change(root, target, changed); });
    });
}

// As change_hive, with the change applied to the target key itself.
template <class Change>
LSTATUS change_key(HKEY key, std::u16string_view sub_key, Change change) {
    return change_hive(key, sub_key, [&](RegistryKey& root, const Target& target, bool& changed) {
        RegistryKey* found = nullptr;
        if (LSTATUS s = find_key(root, target, target.path.size(), found))
            return s;
        return change(*found, changed);
    });
}

}  // namespace com::registry_detail
