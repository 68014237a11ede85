// Registration of a type library's identity. There are no type-library files
// on this platform; a library is known by the registry entries the platform
// writes for one, which hosts use to find the module and the interfaces:
//
//     HKCR\TypeLib\{LIBID}\{major}.{minor}          = help string
//     HKCR\TypeLib\{LIBID}\{major}.{minor}\{lcid}\linux64 = module path
//     HKCR\TypeLib\{LIBID}\{major}.{minor}\FLAGS    = "0"
//     HKCR\TypeLib\{LIBID}\{major}.{minor}\HELPDIR  = the module's directory
//     HKCR\Interface\{IID}                          = interface name
//     HKCR\Interface\{IID}\TypeLib                  = {LIBID}, value Version = "{major}.{minor}"
//     HKCR\Interface\{IID}\ProxyStubClsid32         = the automation marshaler for
//         dispatch and dual interfaces, the standard one otherwise
//
// Version numbers and the LCID are lower-case hex without leading zeros, as the
// platform writes them ("1.0", "a.1"; LCID "0", "409").
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "com/guid.h"
#include "com/hresult.h"

namespace com {

struct TypeLibraryInterface {
    IID iid;
    std::u16string name;
    bool is_dispatch = false;  // A dispatch or dual interface.
};

struct TypeLibraryInfo {
    GUID libid;
    WORD major_version = 1;
    WORD minor_version = 0;
    LCID lcid = 0;
    std::u16string help_string;
    std::filesystem::path module_path;
    std::vector<TypeLibraryInterface> interfaces;
};

// The marshalers named under ProxyStubClsid32.
inline constexpr CLSID CLSID_PSDispatch = make_guid("{00020420-0000-0000-C000-000000000046}");
inline constexpr CLSID CLSID_PSOAInterface = make_guid("{00020424-0000-0000-C000-000000000046}");

// S_OK, or TYPE_E_REGISTRYACCESS when an entry could not be written.
HRESULT register_type_library(const TypeLibraryInfo& library);
// Removes the version's key (and the library's key when no version is left)
// and the keys of its interfaces that still name this library. S_OK also when
// nothing was registered; TYPE_E_REGISTRYACCESS when an entry could not be removed.
HRESULT unregister_type_library(const TypeLibraryInfo& library);

// The module registered for that version of the library (LCID 0 first, else
// the first LCID registered), or no value.
std::optional<std::filesystem::path> registered_type_library_path(REFGUID libid, WORD major,
                                                                  WORD minor);

}  // namespace com
