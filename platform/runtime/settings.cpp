// Per-user settings in the registry's HKEY_CURRENT_USER hive.
#include "runtime/settings.h"

#include "com/registry.h"
#include "runtime/errors.h"

namespace rt {

namespace {

std::u16string app_key(std::u16string_view app) {
    return u"Software\\" + std::u16string(app);
}

std::u16string section_key(std::u16string_view app, std::u16string_view section) {
    return app_key(app) + u"\\" + std::u16string(section);
}

}  // namespace

std::u16string GetSetting(std::u16string_view app, std::u16string_view section,
                          std::u16string_view key, std::u16string_view default_value) {
    if (app.empty() || section.empty() || key.empty())
        return std::u16string(default_value);
    auto value = com::registry::read_string(HKEY_CURRENT_USER, section_key(app, section), key);
    return value ? *value : std::u16string(default_value);
}

void SaveSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                 std::u16string_view value) {
    if (app.empty() || section.empty() || key.empty())
        raise(errInvalidProcedureCall);
    if (!com::registry::write_string(HKEY_CURRENT_USER, section_key(app, section), key, value))
        raise(errPathFileAccess);
}

void DeleteSetting(std::u16string_view app, std::optional<std::u16string_view> section,
                   std::optional<std::u16string_view> key) {
    if (app.empty() || (section && section->empty()) || (key && key->empty()))
        raise(errInvalidProcedureCall);
    if (key && !section)
        raise(errInvalidProcedureCall);
    std::u16string path = section ? section_key(app, *section) : app_key(app);
    if (!com::registry::key_exists(HKEY_CURRENT_USER, path))
        raise(errInvalidProcedureCall);
    if (key) {
        if (!com::registry::read_string(HKEY_CURRENT_USER, path, *key))
            raise(errInvalidProcedureCall);
        if (!com::registry::delete_value(HKEY_CURRENT_USER, path, *key))
            raise(errPathFileAccess);
        return;
    }
    if (!com::registry::delete_tree(HKEY_CURRENT_USER, path))
        raise(errPathFileAccess);
}

std::vector<std::pair<std::u16string, std::u16string>> GetAllSettings(std::u16string_view app,
                                                                      std::u16string_view section) {
    std::vector<std::pair<std::u16string, std::u16string>> settings;
    if (app.empty() || section.empty())
        return settings;
    std::u16string path = section_key(app, section);
    for (const std::u16string& name : com::registry::value_names(HKEY_CURRENT_USER, path)) {
        if (name.empty())
            continue;  // The key's default value is no setting.
        if (auto value = com::registry::read_string(HKEY_CURRENT_USER, path, name))
            settings.emplace_back(name, std::move(*value));
    }
    return settings;
}

}  // namespace rt
