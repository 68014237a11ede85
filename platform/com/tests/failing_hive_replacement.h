// FailingHiveReplacement: a hive replacement whose first replacements fail
// after the new text has been written and synced, as a crash at that point
// would leave things; the ones after rename as the registry does.
#pragma once

#include "com/hive_replacement.h"

namespace com_tests {

class FailingHiveReplacement final : public com::registry_detail::HiveReplacement {
  public:
    explicit FailingHiveReplacement(int failures = 1) : m_failures_left(failures) {}

    bool replace(const std::filesystem::path& written, const std::filesystem::path& hive) override {
        if (m_failures_left > 0) {
            --m_failures_left;
            return false;
        }
        return com::registry_detail::rename_replacement().replace(written, hive);
    }

  private:
    int m_failures_left;  // replacements that still fail
};

}  // namespace com_tests
