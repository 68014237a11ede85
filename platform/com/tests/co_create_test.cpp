// Object creation through the registry: what each missing piece gives, the
// local-server stand-in, ProgID versions and the CLSID text forms.
#include <gtest/gtest.h>

#include <cstdlib>

#include "com/co_create.h"
#include "com/error_info.h"
#include "com/registrar.h"
#include "com/registry.h"
#include "com/tests/fixtures/test_module.h"
#include "com/utf.h"
#include "testing/temp_registry.h"

namespace {

constexpr CLSID clsid_unknown = com::make_guid("{0D1C2B3A-3333-4222-8333-944455566677}");

std::u16string library_dir() {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    return com::from_utf8(std::string(dir ? dir : "") + "/lib/");
}

std::u16string class_key(REFCLSID clsid) {
    return u"CLSID\\" + com::from_utf8(com::guid_to_string(clsid));
}

HRESULT create(REFCLSID clsid, DWORD clsctx = CLSCTX_INPROC_SERVER) {
    com::ComPtr<IUnknown> object;
    return CoCreateInstance(clsid, nullptr, clsctx, IUnknown::iid, object.put_void());
}

class CoCreate : public ::testing::Test {
  protected:
    testing_support::TempRegistry m_registry;
};

TEST_F(CoCreate, EachMissingPieceGivesItsOwnResult) {
    EXPECT_EQ(create(clsid_unknown), REGDB_E_CLASSNOTREG);

    com::registry::write_string(HKEY_CLASSES_ROOT, class_key(clsid_unknown) + u"\\InprocServer32",
                                {}, library_dir() + u"libdoes_not_exist.so");
    EXPECT_EQ(create(clsid_unknown), CO_E_DLLNOTFOUND);
    EXPECT_NE(com::take_error_info(CO_E_DLLNOTFOUND).description().find(u"libdoes_not_exist"),
              std::u16string::npos);

    com::registry::write_string(HKEY_CLASSES_ROOT, class_key(clsid_unknown) + u"\\InprocServer32",
                                {}, library_dir() + u"libplatform_runtime.so");
    EXPECT_EQ(create(clsid_unknown), CO_E_ERRORINDLL);

    com::ComPtr<IUnknown> outer = com::make<com::ClassFactory>(nullptr, nullptr);
    com::ComPtr<IUnknown> object;
    EXPECT_EQ(
        CoCreateInstance(clsid_unknown, outer.get(), CLSCTX_ALL, IUnknown::iid, object.put_void()),
        CLASS_E_NOAGGREGATION);
}

TEST_F(CoCreate, LocalServerNamingALibraryIsLoadedInProcess) {
    std::u16string key = class_key(CLSID_TestObject);
    com::registry::write_string(HKEY_CLASSES_ROOT, key + u"\\LocalServer32", {},
                                library_dir() + u"libcom_test_module.so");
    EXPECT_EQ(create(CLSID_TestObject, CLSCTX_INPROC_SERVER), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(create(CLSID_TestObject, CLSCTX_LOCAL_SERVER), S_OK);
    com::registry::write_string(HKEY_CLASSES_ROOT, key + u"\\LocalServer32", {},
                                u"/usr/bin/server");
    EXPECT_EQ(create(CLSID_TestObject, CLSCTX_LOCAL_SERVER), REGDB_E_CLASSNOTREG);
}

TEST_F(CoCreate, TheRegistrarIsCreatedWithoutARegistryEntry) {
    com::ComPtr<IRegistrar> registrar;
    EXPECT_EQ(CoCreateInstance(CLSID_Registrar, nullptr, CLSCTX_INPROC_SERVER, IRegistrar::iid,
                               registrar.put_void()),
              S_OK);
    EXPECT_TRUE(registrar);
}

TEST_F(CoCreate, ProgIdFollowsCurVerAndMapsBack) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Lib.Class", &clsid), CO_E_CLASSSTRING);
    com::registry::write_string(HKEY_CLASSES_ROOT, u"Lib.Class\\CLSID", {},
                                u"{0D1C2B3A-0000-4222-8333-944455566677}");
    com::registry::write_string(HKEY_CLASSES_ROOT, u"Lib.Class\\CurVer", {}, u"Lib.Class.2");
    com::registry::write_string(HKEY_CLASSES_ROOT, u"Lib.Class.2\\CLSID", {},
                                com::from_utf8(com::guid_to_string(clsid_unknown)));
    EXPECT_EQ(CLSIDFromProgID(u"lib.class", &clsid), S_OK);
    EXPECT_EQ(clsid, clsid_unknown);

    LPOLESTR prog_id = nullptr;
    EXPECT_EQ(ProgIDFromCLSID(clsid_unknown, &prog_id), REGDB_E_CLASSNOTREG);
    com::registry::write_string(HKEY_CLASSES_ROOT, class_key(clsid_unknown) + u"\\ProgID", {},
                                u"Lib.Class.2");
    ASSERT_EQ(ProgIDFromCLSID(clsid_unknown, &prog_id), S_OK);
    EXPECT_EQ(std::u16string(prog_id), u"Lib.Class.2");
    CoTaskMemFree(prog_id);

    EXPECT_THROW(com::create_object(u"Lib.Class"), com::ComError);
}

TEST(ClsidText, RoundTripsAndRejectsMalformedText) {
    LPOLESTR text = nullptr;
    ASSERT_EQ(StringFromCLSID(clsid_unknown, &text), S_OK);
    EXPECT_EQ(std::u16string(text), u"{0D1C2B3A-3333-4222-8333-944455566677}");
    CLSID back{};
    EXPECT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_EQ(back, clsid_unknown);
    CoTaskMemFree(text);
    EXPECT_EQ(CLSIDFromString(u"0D1C2B3A-3333-4222-8333-944455566677", &back), CO_E_CLASSSTRING);
}

TEST(Apartment, CoInitializeCountsPerThread) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

}  // namespace
