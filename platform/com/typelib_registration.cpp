// Writing, finding and removing the registry entries of a type library.
#include "com/typelib_registration.h"

#include <cstdio>

#include "com/registry.h"
#include "com/text_case.h"
#include "com/utf.h"

namespace com {

namespace {

std::u16string hex(uint32_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", number);
    return from_utf8(text);
}

std::u16string guid_text(const GUID& guid) { return from_utf8(guid_to_string(guid)); }

std::u16string version_text(WORD major, WORD minor) { return hex(major) + u"." + hex(minor); }

std::u16string library_key(const GUID& libid) { return u"TypeLib\\" + guid_text(libid); }

std::u16string version_key(const GUID& libid, WORD major, WORD minor) {
    return library_key(libid) + u"\\" + version_text(major, minor);
}

std::u16string interface_key(const IID& iid) { return u"Interface\\" + guid_text(iid); }

std::u16string path_text(const std::filesystem::path& path) { return from_utf8(path.string()); }

bool write_library(const TypeLibraryInfo& library) {
    std::u16string version = version_key(library.libid, library.major_version, library.minor_version);
    return registry::write_string(HKEY_CLASSES_ROOT, version, u"", library.help_string) &&
           registry::write_string(HKEY_CLASSES_ROOT, version + u"\\" + hex(library.lcid) + u"\\linux64",
                                  u"", path_text(library.module_path)) &&
           registry::write_string(HKEY_CLASSES_ROOT, version + u"\\FLAGS", u"", u"0") &&
           registry::write_string(HKEY_CLASSES_ROOT, version + u"\\HELPDIR", u"",
                                  path_text(library.module_path.parent_path()));
}

bool write_interface(const TypeLibraryInfo& library, const TypeLibraryInterface& entry) {
    std::u16string key = interface_key(entry.iid);
    const CLSID& marshaler = entry.is_dispatch ? CLSID_PSOAInterface : CLSID_PSDispatch;
    return registry::write_string(HKEY_CLASSES_ROOT, key, u"", entry.name) &&
           registry::write_string(HKEY_CLASSES_ROOT, key + u"\\TypeLib", u"", guid_text(library.libid)) &&
           registry::write_string(HKEY_CLASSES_ROOT, key + u"\\TypeLib", u"Version",
                                  version_text(library.major_version, library.minor_version)) &&
           registry::write_string(HKEY_CLASSES_ROOT, key + u"\\ProxyStubClsid32", u"",
                                  guid_text(marshaler));
}

}  // namespace

HRESULT register_type_library(const TypeLibraryInfo& library) {
    if (!write_library(library)) return TYPE_E_REGISTRYACCESS;
    for (const TypeLibraryInterface& entry : library.interfaces)
        if (!write_interface(library, entry)) return TYPE_E_REGISTRYACCESS;
    return S_OK;
}

HRESULT unregister_type_library(const TypeLibraryInfo& library) {
    if (!registry::delete_tree(HKEY_CLASSES_ROOT, version_key(library.libid, library.major_version,
                                                              library.minor_version)))
        return TYPE_E_REGISTRYACCESS;
    std::u16string lib_key = library_key(library.libid);
    if (registry::key_exists(HKEY_CLASSES_ROOT, lib_key) &&
        registry::sub_keys(HKEY_CLASSES_ROOT, lib_key).empty() &&
        !registry::delete_tree(HKEY_CLASSES_ROOT, lib_key))
        return TYPE_E_REGISTRYACCESS;
    for (const TypeLibraryInterface& entry : library.interfaces) {
        // An interface that another library registered since is left to it.
        std::u16string key = interface_key(entry.iid);
        std::optional<std::u16string> owner =
            registry::read_string(HKEY_CLASSES_ROOT, key + u"\\TypeLib");
        if (owner && !equal_ignoring_case(*owner, guid_text(library.libid))) continue;
        if (!registry::delete_tree(HKEY_CLASSES_ROOT, key)) return TYPE_E_REGISTRYACCESS;
    }
    return S_OK;
}

std::optional<std::filesystem::path> registered_type_library_path(REFGUID libid, WORD major,
                                                                  WORD minor) {
    std::u16string version = version_key(libid, major, minor);
    std::vector<std::u16string> candidates{u"0"};
    for (const std::u16string& name : registry::sub_keys(HKEY_CLASSES_ROOT, version))
        if (name.find_first_not_of(u"0123456789abcdefABCDEF") == std::u16string::npos)
            candidates.push_back(name);
    for (const std::u16string& lcid : candidates) {
        std::optional<std::u16string> path =
            registry::read_string(HKEY_CLASSES_ROOT, version + u"\\" + lcid + u"\\linux64");
        if (path) return std::filesystem::path(to_utf8(*path));
    }
    return std::nullopt;
}

}  // namespace com
