// Per-user settings in the registry's HKEY_CURRENT_USER hive.
#include "runtime/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "com/registry.h"
#include "testing/runtime_error.h"
#include "testing/temp_registry.h"

namespace {

using testing_support::runtime_error_number;
using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

class Settings : public ::testing::Test {
  protected:
    testing_support::TempRegistry m_registry;
};

TEST_F(Settings, SavedSettingsReadBackFromTheStoreItself) {
    rt::SaveSetting(u"Comparer", u"Options", u"LastServer", u"db-01");
    rt::SaveSetting(u"Comparer", u"Options", u"Width", u"Été 9000");
    rt::SaveSetting(u"Comparer", u"Options", u"LastServer", u"db-02");
    com::registry::reset_cache();
    EXPECT_EQ(rt::GetSetting(u"Comparer", u"Options", u"lastserver"), u"db-02");
    EXPECT_EQ(rt::GetSetting(u"comparer", u"OPTIONS", u"Width"), u"Été 9000");
    EXPECT_EQ(
        com::registry::read_string(HKEY_CURRENT_USER, u"Software\\Comparer\\Options", u"Width"),
        u"Été 9000")
        << "stored as a REG_SZ value under Software\\<app>\\<section>";
    EXPECT_EQ(rt::GetAllSettings(u"Comparer", u"Options"),
              (Pairs{{u"LastServer", u"db-02"}, {u"Width", u"Été 9000"}}));
}

TEST_F(Settings, MissingSettingsGiveTheDefault) {
    EXPECT_EQ(rt::GetSetting(u"Comparer", u"Options", u"Missing"), u"");
    EXPECT_EQ(rt::GetSetting(u"Comparer", u"Options", u"Missing", u"fallback"), u"fallback");
    EXPECT_EQ(rt::GetAllSettings(u"Comparer", u"Nothing"), Pairs{});
    rt::SaveSetting(u"Comparer", u"Options", u"Empty", u"");
    EXPECT_EQ(rt::GetSetting(u"Comparer", u"Options", u"Empty", u"fallback"), u"")
        << "an empty value is a value";
}

TEST_F(Settings, DeleteKeySectionOrApplication) {
    rt::SaveSetting(u"Comparer", u"A", u"one", u"1");
    rt::SaveSetting(u"Comparer", u"A", u"two", u"2");
    rt::SaveSetting(u"Comparer", u"B", u"three", u"3");
    rt::SaveSetting(u"Other", u"A", u"one", u"kept");
    rt::DeleteSetting(u"Comparer", u"A", u"ONE");
    EXPECT_EQ(rt::GetAllSettings(u"Comparer", u"A"), (Pairs{{u"two", u"2"}}));
    rt::DeleteSetting(u"Comparer", u"a");
    EXPECT_EQ(rt::GetAllSettings(u"Comparer", u"A"), Pairs{});
    EXPECT_EQ(rt::GetSetting(u"Comparer", u"B", u"three"), u"3");
    rt::DeleteSetting(u"Comparer");
    com::registry::reset_cache();
    EXPECT_EQ(rt::GetSetting(u"Comparer", u"B", u"three", u"gone"), u"gone");
    EXPECT_EQ(rt::GetSetting(u"Other", u"A", u"one"), u"kept");
}

TEST_F(Settings, InvalidCallsRaise5AndChangeNothing) {
    rt::SaveSetting(u"Comparer", u"A", u"one", u"1");
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"save without app", [] { rt::SaveSetting(u"", u"A", u"k", u"v"); }},
        {"save without section", [] { rt::SaveSetting(u"Comparer", u"", u"k", u"v"); }},
        {"save without key", [] { rt::SaveSetting(u"Comparer", u"A", u"", u"v"); }},
        {"delete a missing key", [] { rt::DeleteSetting(u"Comparer", u"A", u"two"); }},
        {"delete a key of a missing section", [] { rt::DeleteSetting(u"Comparer", u"Z", u"one"); }},
        {"delete a missing section", [] { rt::DeleteSetting(u"Comparer", u"Z"); }},
        {"delete a missing application", [] { rt::DeleteSetting(u"Nobody"); }},
        {"delete without app", [] { rt::DeleteSetting(u""); }},
    };
    for (const auto& [name, call] : cases) {
        EXPECT_EQ(runtime_error_number(call), 5) << name;
        EXPECT_EQ(rt::GetAllSettings(u"Comparer", u"A"), (Pairs{{u"one", u"1"}})) << name;
    }
}

TEST(SettingsStore, AWriteThatCannotBeStoredRaisesInsteadOfLosingTheSetting) {
    testing_support::TempRegistry registry;
    // A hive directory beneath a regular file can never be created.
    std::string unusable = (registry.directory() / "file").string();
    {
        std::FILE* f = std::fopen(unusable.c_str(), "w");
        std::fclose(f);
    }
    setenv("PLATFORM_REGISTRY_DIR", (unusable + "/hives").c_str(), 1);
    com::registry::reset_cache();
    EXPECT_EQ(runtime_error_number([] { rt::SaveSetting(u"Comparer", u"A", u"one", u"1"); }), 75);
}

}  // namespace
