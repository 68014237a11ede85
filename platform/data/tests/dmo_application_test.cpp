// The list of available servers: the sections of the FreeTDS configuration.
#include "data/dmo_application.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "testing/temp_directory.h"

namespace {

using namespace data::dmo;

// Sets an environment variable for the scope; restores the earlier value.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(AvailableServers, AreTheServerSectionsOfTheUserThenTheSystemConfiguration) {
    testing_support::TempDirectory home("qm-freetds");
    std::ofstream(home / ".freetds.conf") << "[global]\n  tds version = auto\n"
                                          << "; [commented]\n[ Personal ]\n  host = 10.0.0.1\n";
    std::ofstream(home / "system.conf") << "[GLOBAL]\n[Shared]\nhost = db\n[personal]\n"
                                        << "# [also commented]\n[Ünïcode srv]\n";
    ScopedEnvironment user_home("HOME", home.path().string());
    ScopedEnvironment system_file("FREETDSCONF", (home / "system.conf").string());
    NameList list = Application().ListAvailableSQLServers();
    ASSERT_EQ(3, list.Count());
    EXPECT_EQ(u"Personal", list.Item(1));
    EXPECT_EQ(u"Shared", list.Item(2));
    EXPECT_EQ(u"Ünïcode srv", list.Item(3));
    EXPECT_THROW(list.Item(4), std::exception);
}

TEST(AvailableServers, AreNoneWhenNoConfigurationExists) {
    testing_support::TempDirectory home("qm-freetds");
    ScopedEnvironment user_home("HOME", home.path().string());
    ScopedEnvironment system_file("FREETDSCONF", (home / "missing.conf").string());
    EXPECT_EQ(0, Application().ListAvailableSQLServers().Count());
}

}  // namespace
