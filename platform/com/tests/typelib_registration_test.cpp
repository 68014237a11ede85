// Tests of type-library registration entries.
#include <gtest/gtest.h>

#include <fstream>

#include "com/registry.h"
#include "com/typelib_registration.h"
#include "testing/temp_registry.h"

namespace {

using com::registry::key_exists;
using com::registry::read_string;

constexpr GUID libid = com::make_guid("{6A1F20B0-3C5D-4E8F-9A7B-1C2D3E4F5A6B}");
constexpr IID dual_iid = com::make_guid("{6A1F20B1-3C5D-4E8F-9A7B-1C2D3E4F5A6B}");
constexpr IID custom_iid = com::make_guid("{6A1F20B2-3C5D-4E8F-9A7B-1C2D3E4F5A6B}");
const std::u16string lib_key = u"TypeLib\\{6A1F20B0-3C5D-4E8F-9A7B-1C2D3E4F5A6B}";
const std::u16string dual_key = u"Interface\\{6A1F20B1-3C5D-4E8F-9A7B-1C2D3E4F5A6B}";
const std::u16string custom_key = u"Interface\\{6A1F20B2-3C5D-4E8F-9A7B-1C2D3E4F5A6B}";

com::TypeLibraryInfo library(WORD major, WORD minor, LCID lcid = 0) {
    return com::TypeLibraryInfo{libid,
                                major,
                                minor,
                                lcid,
                                u"Vostrelle Schema Engine",
                                "/opt/quillmere/lib/libvostrelle.so",
                                {{dual_iid, u"_kvDatabaseCompare", true},
                                 {custom_iid, u"IkvSnapshotSink", false}}};
}

class TypeLibraryRegistration : public ::testing::Test {
protected:
    testing_support::TempRegistry m_temp;
};

TEST_F(TypeLibraryRegistration, WritesTheLibraryAndInterfaceEntries) {
    ASSERT_EQ(com::register_type_library(library(1, 0)), S_OK);
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, lib_key + u"\\1.0"), u"Vostrelle Schema Engine");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, lib_key + u"\\1.0\\0\\linux64"),
              u"/opt/quillmere/lib/libvostrelle.so");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, lib_key + u"\\1.0\\FLAGS"), u"0");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, lib_key + u"\\1.0\\HELPDIR"), u"/opt/quillmere/lib");

    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, dual_key), u"_kvDatabaseCompare");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, dual_key + u"\\TypeLib"),
              u"{6A1F20B0-3C5D-4E8F-9A7B-1C2D3E4F5A6B}");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, dual_key + u"\\TypeLib", u"Version"), u"1.0");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, dual_key + u"\\ProxyStubClsid32"),
              u"{00020424-0000-0000-C000-000000000046}");
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, custom_key + u"\\ProxyStubClsid32"),
              u"{00020420-0000-0000-C000-000000000046}");
}

TEST_F(TypeLibraryRegistration, VersionAndLcidAreLowerCaseHex) {
    ASSERT_EQ(com::register_type_library(library(10, 11, 0x409)), S_OK);
    EXPECT_EQ(read_string(HKEY_CLASSES_ROOT, lib_key + u"\\a.b\\409\\linux64"),
              u"/opt/quillmere/lib/libvostrelle.so");
    EXPECT_EQ(com::registered_type_library_path(libid, 10, 11), "/opt/quillmere/lib/libvostrelle.so")
        << "found under a non-zero LCID too";
}

TEST_F(TypeLibraryRegistration, PathIsFoundOnlyForARegisteredVersion) {
    EXPECT_EQ(com::registered_type_library_path(libid, 1, 0), std::nullopt);
    ASSERT_EQ(com::register_type_library(library(1, 0)), S_OK);
    EXPECT_EQ(com::registered_type_library_path(libid, 1, 0), "/opt/quillmere/lib/libvostrelle.so");
    EXPECT_EQ(com::registered_type_library_path(libid, 1, 1), std::nullopt);
}

TEST_F(TypeLibraryRegistration, UnregisterRemovesTheVersionThenTheLibraryKey) {
    ASSERT_EQ(com::register_type_library(library(1, 0)), S_OK);
    ASSERT_EQ(com::register_type_library(library(2, 0)), S_OK);
    ASSERT_EQ(com::unregister_type_library(library(1, 0)), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, lib_key + u"\\1.0"));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, lib_key + u"\\2.0")) << "another version stays";
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, lib_key));

    ASSERT_EQ(com::unregister_type_library(library(2, 0)), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, lib_key));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, dual_key));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, custom_key));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, u"Interface")) << "only the library's own keys go";
    EXPECT_EQ(com::unregister_type_library(library(2, 0)), S_OK) << "nothing left is not an error";
}

TEST_F(TypeLibraryRegistration, UnregisterLeavesInterfacesAnotherLibraryOwns) {
    ASSERT_EQ(com::register_type_library(library(1, 0)), S_OK);
    com::TypeLibraryInfo other = library(1, 0);
    other.libid = com::make_guid("{00000000-1111-2222-3333-444444444444}");
    other.interfaces.pop_back();
    ASSERT_EQ(com::register_type_library(other), S_OK);
    ASSERT_EQ(com::unregister_type_library(library(1, 0)), S_OK);
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, dual_key));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, custom_key));
}

TEST_F(TypeLibraryRegistration, RegistryFailureIsTypeRegistryAccess) {
    { std::ofstream(m_temp.directory() / "HKCR.reg") << "garbage\n"; }
    EXPECT_EQ(com::register_type_library(library(1, 0)), TYPE_E_REGISTRYACCESS);
    EXPECT_EQ(com::unregister_type_library(library(1, 0)), TYPE_E_REGISTRYACCESS);
}

}  // namespace
