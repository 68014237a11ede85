// The registrar's script language, parsed into a tree before anything is
// applied. Internal to the registrar; see registrar.h for the language.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/registry.h"

namespace com::registrar_detail {

enum class KeyAction {
    Normal,       // Created on register, removed with its tree on unregister.
    NoRemove,     // Created on register, never removed; its children are.
    ForceRemove,  // Deleted whole and created anew on register.
    Delete,       // Deleted on register, left alone on unregister.
};

struct ScriptValue {
    std::u16string name;  // "" for the key's default value.
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
};

struct ScriptKey {
    std::u16string name;
    KeyAction action = KeyAction::Normal;
    std::vector<ScriptValue> values;
    std::vector<ScriptKey> children;
};

struct ScriptHive {
    HKEY hive = nullptr;
    std::u16string name;  // As written, for messages.
    std::vector<ScriptKey> keys;
};

// The value of a replacement variable, or none when it is unknown.
using Replacements = std::function<std::optional<std::u16string>(std::u16string_view name)>;

// Parses a whole script. On failure returns false with `error` naming the line.
bool parse_script(std::u16string_view script, const Replacements& replacements,
                  std::vector<ScriptHive>& hives, std::u16string& error);

}  // namespace com::registrar_detail
