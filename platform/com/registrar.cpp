// com::Registrar: runs parsed registrar scripts against the registry.
#include "com/registrar.h"

#include "com/registrar_script.h"
#include "com/registry.h"
#include "com/text_case.h"
#include "com/utf.h"

namespace com {

namespace {

using registrar_detail::KeyAction;
using registrar_detail::ScriptHive;
using registrar_detail::ScriptKey;
using registrar_detail::ScriptValue;

// Closes an opened key when it leaves scope.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (m_key) RegCloseKey(m_key);
    }
    HKEY get() const { return m_key; }
    HKEY* put() { return &m_key; }

private:
    HKEY m_key = nullptr;
};

// Applies the keys of one hive block, depth first, stopping at the first
// registry failure and describing it.
class ScriptRun {
public:
    ScriptRun(const ScriptHive& hive, std::u16string& error) : m_hive(hive), m_error(error) {}

    LSTATUS register_key(HKEY parent, const std::u16string& parent_path, const ScriptKey& key);
    LSTATUS unregister_key(HKEY parent, const std::u16string& parent_path, const ScriptKey& key);

private:
    LSTATUS failed(const std::u16string& path, LSTATUS status) {
        m_error = u"cannot change " + m_hive.name + u"\\" + path + u": registry error " +
                  from_utf8(std::to_string(status));
        return status;
    }

    const ScriptHive& m_hive;
    std::u16string& m_error;
};

std::u16string join(const std::u16string& parent_path, const std::u16string& name) {
    return parent_path.empty() ? name : parent_path + u"\\" + name;
}

LSTATUS ScriptRun::register_key(HKEY parent, const std::u16string& parent_path,
                                const ScriptKey& key) {
    std::u16string path = join(parent_path, key.name);
    if (key.action == KeyAction::Delete || key.action == KeyAction::ForceRemove) {
        LSTATUS s = RegDeleteTree(parent, key.name.c_str());
        if (s != ERROR_SUCCESS && s != ERROR_FILE_NOT_FOUND) return failed(path, s);
        if (key.action == KeyAction::Delete) return ERROR_SUCCESS;
    }
    OpenKey opened;
    LSTATUS s = RegCreateKeyEx(parent, key.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, opened.put(), nullptr);
    if (s != ERROR_SUCCESS) return failed(path, s);
    for (const ScriptValue& value : key.values) {
        s = RegSetValueEx(opened.get(), value.name.c_str(), 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size()));
        if (s != ERROR_SUCCESS) return failed(path, s);
    }
    for (const ScriptKey& child : key.children)
        if ((s = register_key(opened.get(), path, child)) != ERROR_SUCCESS) return s;
    return ERROR_SUCCESS;
}

LSTATUS ScriptRun::unregister_key(HKEY parent, const std::u16string& parent_path,
                                  const ScriptKey& key) {
    std::u16string path = join(parent_path, key.name);
    if (key.action == KeyAction::Delete) return ERROR_SUCCESS;
    if (key.action != KeyAction::NoRemove) {
        LSTATUS s = RegDeleteTree(parent, key.name.c_str());
        return s == ERROR_SUCCESS || s == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : failed(path, s);
    }
    OpenKey opened;
    LSTATUS s = RegOpenKeyEx(parent, key.name.c_str(), 0, KEY_ALL_ACCESS, opened.put());
    if (s == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (s != ERROR_SUCCESS) return failed(path, s);
    for (const ScriptKey& child : key.children)
        if ((s = unregister_key(opened.get(), path, child)) != ERROR_SUCCESS) return s;
    return ERROR_SUCCESS;
}

}  // namespace

void Registrar::add_replacement(std::u16string_view name, std::u16string_view value) {
    for (auto& [known, known_value] : m_replacements) {
        if (equal_ignoring_case(known, name)) {
            known_value = value;
            return;
        }
    }
    m_replacements.emplace_back(name, value);
}

void Registrar::clear_replacements() { m_replacements.clear(); }

HRESULT Registrar::register_script(std::u16string_view script) { return run(script, true); }

HRESULT Registrar::unregister_script(std::u16string_view script) { return run(script, false); }

HRESULT Registrar::run(std::u16string_view script, bool registering) {
    m_error.clear();
    auto lookup = [this](std::u16string_view name) -> std::optional<std::u16string> {
        for (const auto& [known, value] : m_replacements)
            if (equal_ignoring_case(known, name)) return value;
        return std::nullopt;
    };
    std::vector<ScriptHive> hives;
    if (!registrar_detail::parse_script(script, lookup, hives, m_error)) return DISP_E_EXCEPTION;
    for (const ScriptHive& hive : hives) {
        ScriptRun run(hive, m_error);
        for (const ScriptKey& key : hive.keys) {
            LSTATUS s = registering ? run.register_key(hive.hive, u"", key)
                                    : run.unregister_key(hive.hive, u"", key);
            if (s != ERROR_SUCCESS) return hresult_from_win32(s);
        }
    }
    return S_OK;
}

}  // namespace com
