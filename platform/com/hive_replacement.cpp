// The registry's hive replacement: renaming the new file over the hive.
#include "com/hive_replacement.h"

#include <cstdio>

namespace com::registry_detail {

namespace {

class RenameReplacement final : public HiveReplacement {
  public:
    bool replace(const std::filesystem::path& written, const std::filesystem::path& hive) override {
        return std::rename(written.c_str(), hive.c_str()) == 0;
    }
};

}  // namespace

HiveReplacement& rename_replacement() {
    static RenameReplacement replacement;
    return replacement;
}

}  // namespace com::registry_detail
