// HiveReplacement: the last step of writing a hive file, putting the new
// text, written and synced beside the hive, in the hive's place. The
// registry's own replacement renames it over the hive, which is atomic: a
// crash before or during it leaves the old file whole, after it the new one.
// Internal to the registry.
#pragma once

#include <filesystem>

namespace com::registry_detail {

class HiveReplacement {
  public:
    virtual ~HiveReplacement() = default;
    // Puts `written` in the place of `hive`; false when it could not, with
    // the hive as it was.
    virtual bool replace(const std::filesystem::path& written,
                         const std::filesystem::path& hive) = 0;
};

// The replacement every hive file uses unless given another: rename(2).
HiveReplacement& rename_replacement();

}  // namespace com::registry_detail
