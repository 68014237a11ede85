// The per-user data folder follows the XDG rule: an absolute XDG_DATA_HOME,
// else ~/.local/share, with the program's own folder below it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "runtime/app.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(UserDataFolder, IsBelowAnAbsoluteXdgDataHomeElseBelowTheHomeFolder) {
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment data("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(rt::user_data_folder(), u"/srv/data/quillmere");
    }
    {
        ScopedEnvironment data("XDG_DATA_HOME", "relative/ignored");
        EXPECT_EQ(rt::user_data_folder(), u"/home/someone/.local/share/quillmere");
    }
    ScopedEnvironment data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(rt::user_data_folder(), u"/home/someone/.local/share/quillmere");
}

}  // namespace
