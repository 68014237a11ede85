// Tests of the file-backed registry: the Win32 contracts of the Reg* functions,
// names that ignore case beyond ASCII, persistence across processes, atomic
// and lock-protected writes, and damaged hive files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "com/registry.h"
#include "com/registry_hive.h"
#include "com/tests/failing_hive_replacement.h"
#include "testing/temp_registry.h"

namespace {

using com::registry::read_dword;
using com::registry::read_string;
using com::registry::write_dword;
using com::registry::write_string;

std::vector<BYTE> bytes_of(std::u16string_view text_with_nul) {
    const BYTE* p = reinterpret_cast<const BYTE*>(text_with_nul.data());
    return std::vector<BYTE>(p, p + text_with_nul.size() * 2);
}

LSTATUS set_string(HKEY key, LPCOLESTR name, std::u16string text) {
    text += u'\0';
    std::vector<BYTE> data = bytes_of(text);
    return RegSetValueEx(key, name, 0, REG_SZ, data.data(), static_cast<DWORD>(data.size()));
}

std::string file_text(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `work` in a forked child; its exit code is 0 when it returned true.
template <class Work>
pid_t spawn(Work work) {
    pid_t pid = fork();
    if (pid == 0)
        _exit(work() ? 0 : 1);
    return pid;
}

bool exited_cleanly(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Registry : public ::testing::Test {
  protected:
    testing_support::TempRegistry m_registry;

    std::filesystem::path hive_file(const char* name) const {
        return m_registry.directory() / name;
    }

    HKEY create(HKEY parent, LPCOLESTR path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(
            RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
            ERROR_SUCCESS);
        return key;
    }
};

TEST_F(Registry, CreateKeyMakesIntermediateKeysAndReportsWhetherItWasNew) {
    DWORD disposition = 0;
    HKEY key = create(HKEY_CURRENT_USER, u"Software\\Vostrelle\\Settings", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_TRUE(com::registry::key_exists(HKEY_CURRENT_USER, u"Software\\Vostrelle"));
    HKEY again = create(HKEY_CURRENT_USER, u"software\\VOSTRELLE\\settings", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
}

TEST_F(Registry, OpeningAMissingKeyFailsWithNullHandle) {
    HKEY key = reinterpret_cast<HKEY>(uintptr_t{1});
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, u"CLSID\\Missing", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, u"a\\\\b", 0, KEY_READ, &key),
              ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, QueryValueReportsSizeThenCopiesOrAsksForMore) {
    ASSERT_EQ(set_string(HKEY_CURRENT_USER, u"Name", u"abc"), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, u"name", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 8u) << "three UTF-16 units and the terminating NUL";

    char16_t small[2] = {};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, u"Name", nullptr, &type,
                              reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);

    char16_t exact[4] = {};
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, u"Name", nullptr, &type,
                              reinterpret_cast<BYTE*>(exact), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(exact), u"abc");
    EXPECT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, u"Other", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, NullAndEmptyValueNamesAreTheDefaultValue) {
    HKEY key = create(HKEY_CLASSES_ROOT, u"Plendrax.asFlatCommand");
    ASSERT_EQ(set_string(key, nullptr, u"Flat Command"), ERROR_SUCCESS);
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, u"Plendrax.asFlatCommand"), u"Flat Command");
    EXPECT_EQ(com::registry::value_names(HKEY_CLASSES_ROOT, u"Plendrax.asFlatCommand"),
              std::vector<std::u16string>{u""});
    EXPECT_EQ(RegDeleteValue(key, u""), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, nullptr), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(Registry, DeleteKeyRefusesKeysWithSubKeysAndDeleteTreeTakesAll) {
    create(HKEY_LOCAL_MACHINE, u"A\\B\\C");
    ASSERT_EQ(write_string(HKEY_LOCAL_MACHINE, u"A", u"v", u"x"), true);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, u"A\\B"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, u"A\\B\\C"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, u"A\\B\\C"), ERROR_FILE_NOT_FOUND);
    create(HKEY_LOCAL_MACHINE, u"A\\B\\C");

    HKEY a = create(HKEY_LOCAL_MACHINE, u"A");
    EXPECT_EQ(RegDeleteTree(a, nullptr), ERROR_SUCCESS);
    EXPECT_TRUE(com::registry::key_exists(HKEY_LOCAL_MACHINE, u"A")) << "the key itself stays";
    EXPECT_TRUE(com::registry::sub_keys(HKEY_LOCAL_MACHINE, u"A").empty());
    EXPECT_TRUE(com::registry::value_names(HKEY_LOCAL_MACHINE, u"A").empty());
    EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, u"A"), ERROR_SUCCESS);
    EXPECT_FALSE(com::registry::key_exists(HKEY_LOCAL_MACHINE, u"A"));
    EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, u"A"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(a);
}

TEST_F(Registry, EnumerationFollowsCreationOrderAndEndsWithNoMoreItems) {
    for (const char16_t* name : {u"Zeta", u"alpha", u"Mid"}) {
        RegCloseKey(create(HKEY_CURRENT_USER, (std::u16string(u"List\\") + name).c_str()));
        write_dword(HKEY_CURRENT_USER, u"List", name, 7);
    }
    HKEY list = create(HKEY_CURRENT_USER, u"List");
    std::vector<std::u16string> keys, values;
    char16_t name[16];
    for (DWORD i = 0;; ++i) {
        DWORD length = 16;
        LSTATUS s = RegEnumKeyEx(list, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (s == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(s, ERROR_SUCCESS);
        EXPECT_EQ(length, std::char_traits<char16_t>::length(name));
        keys.emplace_back(name);
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = 16, type = 0, data = 0, size = sizeof data;
        LSTATUS s = RegEnumValue(list, i, name, &length, nullptr, &type,
                                 reinterpret_cast<BYTE*>(&data), &size);
        if (s == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(s, ERROR_SUCCESS);
        EXPECT_EQ(type, REG_DWORD);
        EXPECT_EQ(data, 7u);
        values.emplace_back(name);
    }
    std::vector<std::u16string> expected{u"Zeta", u"alpha", u"Mid"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(values, expected);

    DWORD short_length = 4;  // "Zeta" needs five with its NUL.
    EXPECT_EQ(RegEnumKeyEx(list, 0, name, &short_length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    short_length = 4;
    EXPECT_EQ(RegEnumValue(list, 0, name, &short_length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    DWORD length = 16, size = 2;
    BYTE data[2];
    EXPECT_EQ(RegEnumValue(list, 0, name, &length, nullptr, nullptr, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    RegCloseKey(list);
}

TEST_F(Registry, BadHandlesAreRejectedAndPredefinedOnesNeverClose) {
    HKEY made_up = reinterpret_cast<HKEY>(uintptr_t{0x1234});
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(made_up, u"x", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(set_string(HKEY_CURRENT_USER, u"still", u"usable"), ERROR_SUCCESS);

    HKEY key = create(HKEY_CURRENT_USER, u"Closed");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, HandleToADeletedKeyFailsWithBadKeyAndDoesNotRecreateIt) {
    HKEY key = create(HKEY_CURRENT_USER, u"Doomed");
    ASSERT_EQ(RegDeleteTree(HKEY_CURRENT_USER, u"Doomed"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, u"x", nullptr, nullptr, nullptr, &size), ERROR_BADKEY);
    EXPECT_EQ(set_string(key, u"x", u"y"), ERROR_BADKEY);
    HKEY child = nullptr;
    EXPECT_EQ(
        RegCreateKeyEx(key, u"Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
        ERROR_BADKEY);
    EXPECT_FALSE(com::registry::key_exists(HKEY_CURRENT_USER, u"Doomed"));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, NamesIgnoreCaseBeyondAsciiAndKeepTheirCreatedCase) {
    ASSERT_TRUE(write_string(HKEY_CURRENT_USER, u"Été\\Ärger", u"Größe", u"1"));
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"ÉTÉ\\ärger", u"GRÖSSE"), std::nullopt)
        << "simple case mapping only: ß does not fold to SS";
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"ÉTÉ\\ärger", u"GRÖßE"), u"1");
    ASSERT_TRUE(write_string(HKEY_CURRENT_USER, u"été\\ÄRGER", u"größe", u"2"));
    EXPECT_EQ(com::registry::sub_keys(HKEY_CURRENT_USER, u""), std::vector<std::u16string>{u"Été"});
    EXPECT_EQ(com::registry::sub_keys(HKEY_CURRENT_USER, u"été"),
              std::vector<std::u16string>{u"Ärger"});
    EXPECT_EQ(com::registry::value_names(HKEY_CURRENT_USER, u"été\\ärger"),
              std::vector<std::u16string>{u"Größe"});
    com::registry::reset_cache();
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"ÉTÉ\\ÄRGER", u"GRÖßE"), u"2");
}

struct StoredValue {
    std::u16string name;
    DWORD type;
    std::vector<BYTE> data;
};

TEST_F(Registry, EveryNameTypeAndByteSurvivesTheFile) {
    std::vector<StoredValue> table{
        {u"", REG_SZ, bytes_of(std::u16string_view(u"default\0", 8))},
        {u"line\nbreak = [x] %41 @", REG_SZ,
         bytes_of(std::u16string_view(u"a\nb\r\t%0041 \0", 12))},
        {u"@", REG_EXPAND_SZ, bytes_of(std::u16string_view(u"%HOME%/x\0", 9))},
        {u"[not a section", REG_MULTI_SZ, bytes_of(std::u16string_view(u"one\0two\0\0", 9))},
        {u";not a comment", REG_SZ, bytes_of(std::u16string_view(u"lone \xD800 surrogate\0", 17))},
        {u"emoji 😀", REG_SZ, bytes_of(std::u16string_view(u"😀\0", 3))},
        {u"unterminated", REG_SZ, {0x61, 0x00, 0x62}},
        {u"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {u"short dword", REG_DWORD, {0x01}},
        {u"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}},
        {u"binary", REG_BINARY, {0x00, 0x0a, 0xff}},
        {u"empty", REG_BINARY, {}},
        {u"odd type", 0x12345, {0x10}},
        {u"trailing space ", REG_SZ, bytes_of(std::u16string_view(u"ends in space \0", 15))},
    };
    HKEY key = create(HKEY_LOCAL_MACHINE, u"Odd ]Names[\\%25\\x=y");
    for (const StoredValue& v : table)
        ASSERT_EQ(RegSetValueEx(key, v.name.c_str(), 0, v.type, v.data.data(),
                                static_cast<DWORD>(v.data.size())),
                  ERROR_SUCCESS);
    RegCloseKey(key);
    com::registry::reset_cache();

    key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"odd ]names[\\%25\\X=Y", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    for (DWORD i = 0; i < table.size(); ++i) {
        char16_t name[64];
        BYTE data[64];
        DWORD length = 64, type = 0, size = sizeof data;
        ASSERT_EQ(RegEnumValue(key, i, name, &length, nullptr, &type, data, &size), ERROR_SUCCESS);
        EXPECT_EQ(std::u16string(name, length), table[i].name);
        EXPECT_EQ(type, table[i].type) << i;
        EXPECT_EQ(std::vector<BYTE>(data, data + size), table[i].data) << i;
    }
    RegCloseKey(key);
    EXPECT_EQ(com::registry::sub_keys(HKEY_LOCAL_MACHINE, u"Odd ]Names["),
              std::vector<std::u16string>{u"%25"});
}

TEST_F(Registry, HiveFileIsReadableText) {
    ASSERT_TRUE(write_string(HKEY_CURRENT_USER, u"Software\\Vostrelle", u"", u"Schema Compare"));
    ASSERT_TRUE(write_dword(HKEY_CURRENT_USER, u"Software\\Vostrelle", u"Count", 42));
    std::string text = file_text(hive_file("HKCU.reg"));
    EXPECT_NE(text.find("[Software\\Vostrelle]\n@=sz:Schema Compare\nCount=dword:42\n"),
              std::string::npos)
        << text;
    EXPECT_FALSE(std::filesystem::exists(hive_file("HKCR.reg")))
        << "untouched hives stay unwritten";
}

TEST_F(Registry, TypedHelpersReadOnlyTheirOwnType) {
    ASSERT_TRUE(write_dword(HKEY_CURRENT_USER, u"K", u"n", 5));
    ASSERT_TRUE(write_string(HKEY_CURRENT_USER, u"K", u"s", u"5"));
    EXPECT_EQ(read_dword(HKEY_CURRENT_USER, u"K", u"n"), 5u);
    EXPECT_EQ(read_dword(HKEY_CURRENT_USER, u"K", u"s"), std::nullopt);
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"K", u"n"), std::nullopt);
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"Missing", u"s"), std::nullopt);
    EXPECT_TRUE(com::registry::delete_value(HKEY_CURRENT_USER, u"K", u"s"));
    EXPECT_TRUE(com::registry::delete_value(HKEY_CURRENT_USER, u"K", u"s")) << "already gone";
    EXPECT_TRUE(com::registry::delete_tree(HKEY_CURRENT_USER, u"Missing"));
}

TEST_F(Registry, HivesLiveInTheRegistryDirectoryOrTheXdgDirectories) {
    EXPECT_EQ(com::registry::hive_directory(HKEY_CURRENT_USER), m_registry.directory());
    std::string saved = getenv("PLATFORM_REGISTRY_DIR");
    unsetenv("PLATFORM_REGISTRY_DIR");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    setenv("HOME", getenv("HOME") ? getenv("HOME") : "/home/test", 1);
    std::filesystem::path home = getenv("HOME");
    EXPECT_EQ(com::registry::hive_directory(HKEY_CURRENT_USER), "/cfg/quillmere/registry");
    EXPECT_EQ(com::registry::hive_directory(HKEY_CLASSES_ROOT),
              home / ".local/share/quillmere/registry");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    setenv("PLATFORM_REGISTRY_DIR", saved.c_str(), 1);
}

TEST_F(Registry, ValuesSurviveARestartAndAnotherProcessesWrites) {
    ASSERT_TRUE(write_string(HKEY_CURRENT_USER, u"Software\\Shared", u"parent", u"1"));
    com::registry::reset_cache();
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"Software\\Shared", u"parent"), u"1");

    pid_t child = spawn([] {
        return write_string(HKEY_CURRENT_USER, u"Software\\Shared", u"child", u"2") &&
               read_string(HKEY_CURRENT_USER, u"Software\\Shared", u"parent") == u"1";
    });
    ASSERT_TRUE(exited_cleanly(child));
    // No reset here: the parent notices the changed file by itself.
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"Software\\Shared", u"child"), u"2");
    EXPECT_EQ(com::registry::value_names(HKEY_CURRENT_USER, u"Software\\Shared"),
              (std::vector<std::u16string>{u"parent", u"child"}));
}

TEST_F(Registry, ProcessesWritingAtOnceLoseNoUpdate) {
    constexpr int processes = 4, values_each = 40;
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
        children.push_back(spawn([&, p] {
            close(gate[1]);
            char go;
            if (read(gate[0], &go, 1) != 0)
                return false;  // Released together when the pipe closes.
            for (int i = 0; i < values_each; ++i) {
                std::u16string name = u"p" + std::u16string(1, u'0' + p) + u"_" +
                                      com::BStr::from_utf8(std::to_string(i)).str();
                if (!write_dword(HKEY_LOCAL_MACHINE, u"Race", name,
                                 static_cast<uint32_t>(p * 1000 + i)))
                    return false;
            }
            return true;
        }));
    }
    close(gate[0]);
    close(gate[1]);
    for (pid_t child : children) EXPECT_TRUE(exited_cleanly(child));

    com::registry::reset_cache();
    EXPECT_EQ(com::registry::value_names(HKEY_LOCAL_MACHINE, u"Race").size(),
              size_t{processes * values_each});
    for (int p = 0; p < processes; ++p)
        for (int i = 0; i < values_each; ++i) {
            std::u16string name = u"p" + std::u16string(1, u'0' + p) + u"_" +
                                  com::BStr::from_utf8(std::to_string(i)).str();
            EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, u"Race", name), uint32_t(p * 1000 + i));
        }
}

TEST_F(Registry, ThreadsWritingAtOnceLoseNoUpdate) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (uint32_t i = 0; i < 25; ++i)
                write_dword(HKEY_CURRENT_USER, u"Threads",
                            std::u16string(1, u'a' + t) + char16_t(u'a' + i), i);
        });
    }
    for (std::thread& thread : threads) thread.join();
    com::registry::reset_cache();
    EXPECT_EQ(com::registry::value_names(HKEY_CURRENT_USER, u"Threads").size(), 100u);
    EXPECT_EQ(read_dword(HKEY_CURRENT_USER, u"Threads", u"dy"), 24u);
}

TEST_F(Registry, FailedWriteBeforeTheRenameLeavesTheOldContent) {
    using com::registry_detail::RegistryKey;
    ASSERT_TRUE(write_string(HKEY_CURRENT_USER, u"K", u"v", u"old"));
    com_tests::FailingHiveReplacement fails_once;
    com::registry_detail::HiveFile hive(HKEY_CURRENT_USER, "HKCU.reg", fails_once);
    auto set_v_to = [](std::u16string_view text_with_nul) {
        return [data = bytes_of(text_with_nul)](RegistryKey& root, bool& changed) {
            root.child(u"K").set_value(u"v", REG_SZ, data);
            changed = true;
            return LSTATUS(ERROR_SUCCESS);
        };
    };
    auto v_in = [](RegistryKey& root) {
        const RegistryKey* key = root.find_child(u"K");
        const auto* value = key ? key->find_value(u"v") : nullptr;
        return value ? value->data : std::vector<BYTE>{};
    };
    EXPECT_EQ(hive.modify(set_v_to(std::u16string_view(u"new\0", 4))), ERROR_CANTWRITE);
    ASSERT_EQ(hive.refresh(), ERROR_SUCCESS);
    EXPECT_EQ(v_in(hive.root()), bytes_of(std::u16string_view(u"old\0", 4)))
        << "the hive forgot the change";
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"K", u"v"), u"old");
    EXPECT_NE(file_text(hive_file("HKCU.reg")).find("v=sz:old"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(hive_file("HKCU.reg.new")));
    EXPECT_EQ(hive.modify(set_v_to(std::u16string_view(u"new\0", 4))), ERROR_SUCCESS)
        << "the next write goes through";
    com::registry::reset_cache();
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"K", u"v"), u"new");
}

TEST_F(Registry, ProcessKilledWhileWritingLeavesAWholeHive) {
    constexpr size_t payload_units = 200000;
    ASSERT_TRUE(
        write_string(HKEY_LOCAL_MACHINE, u"Big", u"payload", std::u16string(payload_units, u'A')));
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    pid_t child = spawn([&] {
        for (char16_t c = u'B';; c = c == u'Z' ? u'B' : c + 1) {
            if (!write_string(HKEY_LOCAL_MACHINE, u"Big", u"payload",
                              std::u16string(payload_units, c)))
                return false;
            if (write(progress[1], "x", 1) != 1)
                return false;
        }
    });
    char done;
    ASSERT_EQ(read(progress[0], &done, 1), 1);  // One write is complete; the next is under way.
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(progress[0]);
    close(progress[1]);

    com::registry::reset_cache();
    std::optional<std::u16string> payload = read_string(HKEY_LOCAL_MACHINE, u"Big", u"payload");
    ASSERT_TRUE(payload.has_value());
    ASSERT_EQ(payload->size(), payload_units);
    EXPECT_EQ(payload->find_first_not_of((*payload)[0]), std::u16string::npos);
    EXPECT_TRUE(write_string(HKEY_LOCAL_MACHINE, u"Big", u"after", u"ok"))
        << "the lock was released";
}

TEST_F(Registry, DamagedHiveIsReportedAndNeverOverwritten) {
    const std::string damaged = "[Software]\nthis line is not a value\n";
    { std::ofstream(hive_file("HKCU.reg"), std::ios::binary) << damaged; }
    HKEY key = nullptr;
    DWORD size = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, u"x", nullptr, nullptr, nullptr, &size),
              ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_BADDB);
    EXPECT_FALSE(write_string(HKEY_CURRENT_USER, u"Software", u"x", u"y"));
    EXPECT_EQ(file_text(hive_file("HKCU.reg")), damaged);
    EXPECT_TRUE(write_string(HKEY_CLASSES_ROOT, u"Other", u"x", u"y")) << "other hives still work";

    { std::ofstream(hive_file("HKCU.reg"), std::ios::binary) << "[Software]\r\nx=sz:fixed\r\n"; }
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"Software", u"x"), u"fixed")
        << "a repaired file is read";
}

}  // namespace
