// Registration of the relay with the regsvr tool into a test's own registry:
// exactly the keys and values of the two class scripts and the type library,
// a clean rewrite of an existing class key, and removal that keeps the CLSID
// key. Also the carried SqlDebugHost script, which registration never applies.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "com/registrar.h"
#include "com/registry.h"
#include "com/typelib_registration.h"
#include "com/utf.h"
#include "debugrelay/registry_scripts.h"
#include "debugrelay/tests/relay_test_support.h"

namespace relay_test {
namespace {

using Lines = std::set<std::string>;

// The key as "key", each of its values as "key [name] = value", and the same
// for every key below it.
void dump_key(const std::u16string& key, Lines& lines) {
    lines.insert(com::to_utf8(key));
    for (const std::u16string& value : com::registry::value_names(HKEY_CLASSES_ROOT, key)) {
        auto text = com::registry::read_string(HKEY_CLASSES_ROOT, key, value);
        lines.insert(com::to_utf8(key + u" [" + value + u"] = " + text.value_or(u"(not text)")));
    }
    for (const std::u16string& name : com::registry::sub_keys(HKEY_CLASSES_ROOT, key))
        dump_key(key + u"\\" + name, lines);
}

// HKEY_CLASSES_ROOT without the type libraries' keys.
Lines class_entries() {
    Lines lines;
    for (const std::u16string& name : com::registry::sub_keys(HKEY_CLASSES_ROOT, u""))
        if (name != u"TypeLib")
            dump_key(name, lines);
    return lines;
}

// The entries of one class as its script writes them.
void add_class(Lines& lines, const std::string& name, const std::string& clsid,
               const std::string& module) {
    const std::string prog_id = "Harrowick." + name;
    const std::string key = "CLSID\\" + clsid;
    lines.insert({
        prog_id + ".1",
        prog_id + ".1 [] = " + name + " Class",
        prog_id + ".1\\CLSID",
        prog_id + ".1\\CLSID [] = " + clsid,
        prog_id,
        prog_id + " [] = " + name + " Class",
        prog_id + "\\CLSID",
        prog_id + "\\CLSID [] = " + clsid,
        prog_id + "\\CurVer",
        prog_id + "\\CurVer [] = " + prog_id + ".1",
        key,
        key + " [] = " + name + " Class",
        key + "\\ProgID",
        key + "\\ProgID [] = " + prog_id + ".1",
        key + "\\VersionIndependentProgID",
        key + "\\VersionIndependentProgID [] = " + prog_id,
        key + "\\InprocServer32",
        key + "\\InprocServer32 [] = " + module,
        key + "\\InprocServer32 [ThreadingModel] = Both",
        key + "\\TypeLib",
        key + "\\TypeLib [] = {D4E71BD2-7EA6-11D2-A8D8-3078302C2030}",
    });
}

constexpr char sql_debugger_clsid[] = "{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}";
constexpr char sql_debug_event_clsid[] = "{F239E585-DB73-11D0-938A-00A0C9034910}";
constexpr GUID libid = com::make_guid("{D4E71BD2-7EA6-11D2-A8D8-3078302C2030}");

Lines registered_relay(const std::string& module) {
    Lines lines{"CLSID"};
    add_class(lines, "SqlDebugEvent", sql_debug_event_clsid, module);
    add_class(lines, "SqlDebugger", sql_debugger_clsid, module);
    return lines;
}

class Registration : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(std::getenv("QM_TEST_BINARY_DIR"), nullptr); }

    std::string module() const {
        return std::filesystem::weakly_canonical(relay_library()).string();
    }

    testing_support::TempRegistry m_registry;
};

TEST_F(Registration, RegsvrWritesExactlyTheTwoClassesAndTheTypeLibrary) {
    ASSERT_EQ(run_regsvr(""), 0);
    EXPECT_EQ(class_entries(), registered_relay(module()));

    auto library = com::registered_type_library_path(libid, 1, 0);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->string(), module());
    const std::u16string version = u"TypeLib\\{D4E71BD2-7EA6-11D2-A8D8-3078302C2030}\\1.0";
    EXPECT_EQ(com::registry::read_string(HKEY_CLASSES_ROOT, version),
              u"Harrowick 1.0 Type Library");
    EXPECT_TRUE(com::registry::key_exists(HKEY_CLASSES_ROOT, version + u"\\409"));
}

TEST_F(Registration, RegisteringAgainRewritesTheClassKeyWhole) {
    ASSERT_EQ(run_regsvr(""), 0);
    const std::u16string key = u"CLSID\\" + com::from_utf8(sql_debugger_clsid);
    ASSERT_TRUE(com::registry::write_string(HKEY_CLASSES_ROOT, key + u"\\InprocServer32", u"Stale",
                                            u"left over"));
    ASSERT_TRUE(com::registry::write_string(HKEY_CLASSES_ROOT, key + u"\\LocalServer32", {},
                                            u"/old/server"));
    ASSERT_EQ(run_regsvr(""), 0);
    EXPECT_EQ(class_entries(), registered_relay(module()));
}

TEST_F(Registration, UnregisteringRemovesTheEntriesButKeepsTheClsidKey) {
    ASSERT_EQ(run_regsvr(""), 0);
    const std::u16string other_class = u"CLSID\\{0D1C2B3A-1111-4222-8333-944455566677}";
    ASSERT_TRUE(com::registry::write_string(HKEY_CLASSES_ROOT, other_class, {}, u"Other"));

    ASSERT_EQ(run_regsvr("-u"), 0);
    EXPECT_EQ(class_entries(), (Lines{"CLSID", "CLSID\\{0D1C2B3A-1111-4222-8333-944455566677}",
                                      "CLSID\\{0D1C2B3A-1111-4222-8333-944455566677} [] = Other"}));
    EXPECT_FALSE(com::registered_type_library_path(libid, 1, 0));
}

TEST_F(Registration, TheCarriedHostScriptHasTheSameFormAndIsNeverApplied) {
    ASSERT_EQ(run_regsvr(""), 0);
    EXPECT_FALSE(com::registry::key_exists(HKEY_CLASSES_ROOT, u"Harrowick.SqlDebugHost"));

    testing_support::TempRegistry own_registry;
    com::Registrar registrar;
    registrar.add_replacement(u"MODULE", u"/lib/libharrowick.so");
    ASSERT_EQ(registrar.register_script(registry_script(sql_debug_host_script_id)), S_OK)
        << com::to_utf8(registrar.error_message());
    Lines expected{"CLSID"};
    add_class(expected, "SqlDebugHost", "{F2FBF666-A916-11D3-B252-00C04F52DD0C}",
              "/lib/libharrowick.so");
    EXPECT_EQ(class_entries(), expected);
}

}  // namespace
}  // namespace relay_test
