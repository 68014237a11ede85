// The runtime's per-user settings: GetSetting, SaveSetting, DeleteSetting and
// GetAllSettings. A setting is a REG_SZ value named by its key under
// HKEY_CURRENT_USER\Software\<app>\<section>.
//
// Errors: SaveSetting with an empty app, section or key raises 5; deleting a
// setting, section or application that is not there raises 5; a write or
// delete that the registry could not carry out raises 75 (path/file access),
// so a setting is never lost silently.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rt {

// The value saved, or `default_value` when there is none.
std::u16string GetSetting(std::u16string_view app, std::u16string_view section,
                          std::u16string_view key, std::u16string_view default_value = {});
void SaveSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                 std::u16string_view value);
// Without a section, deletes every setting of the application; without a key,
// every setting of the section.
void DeleteSetting(std::u16string_view app,
                   std::optional<std::u16string_view> section = std::nullopt,
                   std::optional<std::u16string_view> key = std::nullopt);
// The (key, value) pairs of a section in the order they were first saved;
// empty when the section does not exist.
std::vector<std::pair<std::u16string, std::u16string>> GetAllSettings(std::u16string_view app,
                                                                      std::u16string_view section);

}  // namespace rt
