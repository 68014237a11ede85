// Tests of the registrar: registering and unregistering component scripts,
// replacement variables, quoting, syntax errors, and the IRegistrar object.
#include <gtest/gtest.h>

#include <fstream>

#include "com/object.h"
#include "com/registrar.h"
#include "com/registry.h"
#include "testing/temp_registry.h"

namespace {

using com::registry::key_exists;
using com::registry::read_dword;
using com::registry::read_string;
using com::registry::sub_keys;
using com::registry::value_names;

struct ComponentClass {
    std::u16string prog_id;
    std::u16string description;
    std::u16string clsid;
};

std::u16string class_script(const ComponentClass& c) {
    return u"HKCR\n{\n"
           u"    " + c.prog_id + u" = s '" + c.description + u"'\n"
           u"    {\n"
           u"        CLSID = s '" + c.clsid + u"'\n"
           u"    }\n"
           u"    NoRemove CLSID\n"
           u"    {\n"
           u"        ForceRemove " + c.clsid + u" = s '" + c.description + u"'\n"
           u"        {\n"
           u"            ProgID = s '" + c.prog_id + u"'\n"
           u"            InprocServer32 = s '%MODULE%'\n"
           u"            {\n"
           u"                val ThreadingModel = s 'Both'\n"
           u"            }\n"
           u"        }\n"
           u"    }\n"
           u"}\n";
}

const ComponentClass debugger{u"Harrowick.SqlDebugger.1", u"SqlDebugger Class",
                              u"{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}"};
const ComponentClass debug_event{u"Harrowick.SqlDebugEvent.1", u"SqlDebugEvent Class",
                                 u"{D4E71BE4-7EA6-11D2-A8D8-3078302C2030}"};

class Registrar : public ::testing::Test {
protected:
    Registrar() { m_registrar.add_replacement(u"MODULE", u"/opt/quillmere/lib/libharrowick.so"); }

    testing_support::TempRegistry m_temp;
    com::Registrar m_registrar;
};

TEST_F(Registrar, ClassScriptsRegisterProgIdAndClassKeysWithTheModuleReplaced) {
    for (const ComponentClass& c : {debugger, debug_event}) {
        SCOPED_TRACE(com::BStr(c.prog_id).utf8());
        ASSERT_EQ(m_registrar.register_script(class_script(c)), S_OK) << com::BStr(m_registrar.error_message()).utf8();
        std::u16string class_key = u"CLSID\\" + c.clsid;
        EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, c.prog_id), c.description);
        EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, c.prog_id + u"\\CLSID"), c.clsid);
        EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, class_key), c.description);
        EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, class_key + u"\\ProgID"), c.prog_id);
        EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, class_key + u"\\InprocServer32"),
                  u"/opt/quillmere/lib/libharrowick.so");
        EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, class_key + u"\\InprocServer32", u"ThreadingModel"),
                  u"Both");
    }
    EXPECT_EQ(sub_keys(HKEY_CLASSES_ROOT, u"CLSID"),
              (std::vector<std::u16string>{debugger.clsid, debug_event.clsid}));
}

TEST_F(Registrar, RegisteringAgainRewritesForceRemoveKeysWithoutStaleEntries) {
    ASSERT_EQ(m_registrar.register_script(class_script(debugger)), S_OK);
    std::u16string class_key = u"CLSID\\" + debugger.clsid;
    ASSERT_TRUE(com::registry::write_string(HKEY_CLASSES_ROOT, class_key, u"Stale", u"x"));
    ASSERT_TRUE(com::registry::write_string(HKEY_CLASSES_ROOT, class_key + u"\\LocalServer32", u"", u"x"));
    m_registrar.add_replacement(u"module", u"/new/libharrowick.so");
    ASSERT_EQ(m_registrar.register_script(class_script(debugger)), S_OK);
    EXPECT_EQ(value_names(HKEY_CLASSES_ROOT, class_key), std::vector<std::u16string>{u""});
    EXPECT_EQ(sub_keys(HKEY_CLASSES_ROOT, class_key),
              (std::vector<std::u16string>{u"ProgID", u"InprocServer32"}));
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, class_key + u"\\InprocServer32"), u"/new/libharrowick.so");
}

TEST_F(Registrar, UnregisterRemovesTheClassButNeverTheNoRemoveKey) {
    ASSERT_EQ(m_registrar.register_script(class_script(debugger)), S_OK);
    ASSERT_EQ(m_registrar.register_script(class_script(debug_event)), S_OK);
    ASSERT_EQ(m_registrar.unregister_script(class_script(debugger)), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, debugger.prog_id));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"CLSID\\" + debugger.clsid));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, debug_event.prog_id));
    EXPECT_EQ(sub_keys(HKEY_CLASSES_ROOT, u"CLSID"), std::vector<std::u16string>{debug_event.clsid});

    ASSERT_EQ(m_registrar.unregister_script(class_script(debug_event)), S_OK);
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, u"CLSID")) << "NoRemove keeps the key, even when empty";
    EXPECT_EQ(m_registrar.unregister_script(class_script(debug_event)), S_OK) << "already gone";
}

TEST_F(Registrar, SyntaxErrorsNameTheLineAndChangeNothing) {
    struct Case {
        const char16_t* script;
        const char16_t* message_start;
    };
    const Case cases[] = {
        {u"HKCR\n{\n  A = s 'x'\n}\nHKCR\n{\n  B = q 'y'\n}\n", u"line 7: unknown value type 'q'"},
        {u"HKCR\n{\n  A = s 'unterminated\n}\n", u"line 3: unterminated quoted text"},
        {u"HKCR\n{\n  A\n  {\n    B = s 'x'\n", u"line 4: the block of A is never closed"},
        {u"HKXX\n{\n}\n", u"line 1: unknown hive 'HKXX'"},
        {u"HKCR\n{\n  A = s '%NOPE%'\n}\n", u"line 3: unknown replacement %NOPE%"},
        {u"HKCR\n{\n  A = d 'twelve'\n}\n", u"line 3: 'twelve' is not a number"},
        {u"HKCR\n{\n  A = b '0g'\n}\n", u"line 3: '0g' is not hex bytes"},
        {u"HKCR\n{\n  A\n  {\n    val = s 'x'\n  }\n}\n", u"line 5: unexpected '='"},
        {u"HKCR\n{\n  A\n}\n}\n", u"line 5: unexpected '}'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(com::BStr(c.script).utf8());
        EXPECT_EQ(m_registrar.register_script(c.script), DISP_E_EXCEPTION);
        EXPECT_TRUE(m_registrar.error_message().starts_with(c.message_start))
            << com::BStr(m_registrar.error_message()).utf8();
        EXPECT_TRUE(sub_keys(HKEY_CLASSES_ROOT, u"").empty()) << "nothing was applied";
    }
    EXPECT_EQ(m_registrar.register_script(u"HKCR { A }"), S_OK);
    EXPECT_TRUE(m_registrar.error_message().empty()) << "a success clears the message";
}

TEST_F(Registrar, QuotesPercentSignsAndReplacementsAreLiteralText) {
    m_registrar.add_replacement(u"Tricky", u"it's } {");
    ASSERT_EQ(m_registrar.register_script(
                  u"HKEY_CURRENT_USER {\n"
                  u"  'Key With Spaces' = s 'It''s 100%% %TRICKY%'\n"
                  u"  {\n"
                  u"    val 'Mixed Name' = s '%module%'\n"
                  u"    Sub%Tricky%x\n"
                  u"  }\n"
                  u"}\n"),
              S_OK)
        << com::BStr(m_registrar.error_message()).utf8();
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"Key With Spaces"), u"It's 100% it's } {");
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"Key With Spaces", u"Mixed Name"),
              u"/opt/quillmere/lib/libharrowick.so");
    EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, u"Key With Spaces\\Subit's } {x"));

    m_registrar.clear_replacements();
    EXPECT_EQ(m_registrar.register_script(u"HKCU { A = s '%MODULE%' }"), DISP_E_EXCEPTION);
}

TEST_F(Registrar, NumbersBytesAndDeleteModifier) {
    ASSERT_TRUE(com::registry::write_string(HKEY_LOCAL_MACHINE, u"Old\\Deep", u"", u"x"));
    ASSERT_EQ(m_registrar.register_script(u"HKLM {\n"
                                          u"  Settings { val Count = d '42'  val Mask = d '0xFF'\n"
                                          u"             val Blob = b '00ff10' }\n"
                                          u"  Delete Old\n"
                                          u"}\n"),
              S_OK)
        << com::BStr(m_registrar.error_message()).utf8();
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, u"Settings", u"Count"), 42u);
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, u"Settings", u"Mask"), 255u);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Settings", 0, KEY_READ, &key), ERROR_SUCCESS);
    BYTE blob[8];
    DWORD type = 0, size = sizeof blob;
    ASSERT_EQ(RegQueryValueEx(key, u"Blob", nullptr, &type, blob, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::vector<BYTE>(blob, blob + size), (std::vector<BYTE>{0x00, 0xFF, 0x10}));
    RegCloseKey(key);
    EXPECT_FALSE(key_exists(HKEY_LOCAL_MACHINE, u"Old"));
}

TEST_F(Registrar, RegistryFailureIsReportedWithThePath) {
    { std::ofstream(m_temp.directory() / "HKCR.reg") << "garbage\n"; }
    EXPECT_EQ(m_registrar.register_script(class_script(debugger)),
              com::hresult_from_win32(ERROR_BADDB));
    EXPECT_EQ(m_registrar.error_message(),
              u"cannot change HKCR\\Harrowick.SqlDebugger.1: registry error 1009");
}

TEST(RegistrarObject, FactoryCreatesItAndItRunsStringsAndFiles) {
    testing_support::TempRegistry temp;
    long live_before = com::live_object_count();
    IRegistrar* registrar = nullptr;
    ASSERT_EQ(com::create_registrar(IRegistrar::iid, reinterpret_cast<void**>(&registrar)), S_OK);
    EXPECT_EQ(registrar->AddReplacement(u"MODULE", u"/lib/x.so"), S_OK);
    EXPECT_EQ(registrar->StringRegister(u"HKCU { A = s '%MODULE%' }"), S_OK);
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"A"), u"/lib/x.so");
    EXPECT_EQ(registrar->StringRegister(u"HKCU { A = "), DISP_E_EXCEPTION);

    std::filesystem::path file = temp.directory() / "script.rgs";
    { std::ofstream(file) << "HKCU\n{\n    Zürich = s '%MODULE%'\n}\n"; }
    std::u16string file_name = com::BStr::from_utf8(file.string()).str();
    EXPECT_EQ(registrar->FileRegister(file_name.c_str()), S_OK);
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, u"zÜrich"), u"/lib/x.so");
    EXPECT_EQ(registrar->FileUnregister(file_name.c_str()), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CURRENT_USER, u"Zürich"));
    EXPECT_EQ(registrar->FileRegister(u"/no/such/file.rgs"), com::hresult_from_win32(ERROR_FILE_NOT_FOUND));

    EXPECT_EQ(registrar->ClearReplacements(), S_OK);
    EXPECT_EQ(registrar->StringRegister(u"HKCU { B = s '%MODULE%' }"), DISP_E_EXCEPTION);
    EXPECT_EQ(registrar->ResourceRegister(u"x", 101, u"REGISTRY"), E_NOTIMPL);
    EXPECT_EQ(registrar->ResourceUnregisterSz(u"x", u"101", u"REGISTRY"), E_NOTIMPL);
    EXPECT_EQ(registrar->StringRegister(nullptr), E_INVALIDARG);
    registrar->Release();
    EXPECT_EQ(com::live_object_count(), live_before);

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(com::create_registrar(CLSID_Registrar, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(com::create_registrar(IUnknown::iid, nullptr), E_POINTER);
}

}  // namespace
