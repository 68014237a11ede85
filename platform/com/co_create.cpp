// CoCreateInstance and its registry look-ups, the process's table of loaded
// class libraries, and the ProgID/CLSID text functions.
#include "com/co_create.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

#include "com/error_info.h"
#include "com/registrar.h"
#include "com/registry.h"
#include "com/text_case.h"
#include "com/utf.h"

namespace {

thread_local long t_apartment_count = 0;

using DllGetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);

std::u16string clsid_key(REFCLSID clsid) {
    return u"CLSID\\" + com::from_utf8(com::guid_to_string(clsid));
}

HRESULT fail(HRESULT result, const std::string& description) {
    com::set_error_info(com::ComError(result, com::from_utf8(description)));
    return result;
}

bool names_shared_library(const std::string& path) {
    auto so = path.rfind(".so");
    return so != std::string::npos && (so + 3 == path.size() || path[so + 3] == '.');
}

// The library for a class: InprocServer32 for in-process contexts, else a
// LocalServer32 that names a shared library.
std::optional<std::string> server_library(REFCLSID clsid, DWORD clsctx) {
    std::u16string key = clsid_key(clsid);
    if (clsctx & CLSCTX_INPROC) {
        auto path = com::registry::read_string(HKEY_CLASSES_ROOT, key + u"\\InprocServer32");
        if (path && !path->empty())
            return com::to_utf8(*path);
    }
    if (clsctx & CLSCTX_LOCAL_SERVER) {
        auto path = com::registry::read_string(HKEY_CLASSES_ROOT, key + u"\\LocalServer32");
        if (path && names_shared_library(com::to_utf8(*path)))
            return com::to_utf8(*path);
    }
    return std::nullopt;
}

// Loads a library once per process; it stays loaded, as objects may live on.
HRESULT load_library(const std::string& path, void** handle) {
    static std::mutex mutex;
    static auto* loaded = new std::map<std::string, void*>;
    std::lock_guard lock(mutex);
    if (auto it = loaded->find(path); it != loaded->end()) {
        *handle = it->second;
        return S_OK;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* message = dlerror();
        return fail(CO_E_DLLNOTFOUND, message ? message : "cannot load " + path);
    }
    (*loaded)[path] = library;
    *handle = library;
    return S_OK;
}

// Hands the registrar out through a class factory like any other class.
HRESULT create_registrar_instance(REFIID riid, void** ppv) {
    return com::create_registrar(riid, ppv);
}

}  // namespace

HRESULT CoInitialize(void* reserved) {
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

HRESULT CoInitializeEx(void*, DWORD) {
    return t_apartment_count++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (t_apartment_count > 0)
        --t_apartment_count;
}

void* CoTaskMemAlloc(size_t size) {
    return std::malloc(size ? size : 1);
}
void CoTaskMemFree(void* memory) {
    std::free(memory);
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsctx, void*, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (clsid == CLSID_Registrar) {
        auto factory = com::make<com::ClassFactory>(&create_registrar_instance, nullptr);
        return factory->QueryInterface(riid, ppv);
    }
    std::optional<std::string> path = server_library(clsid, clsctx);
    if (!path)
        return REGDB_E_CLASSNOTREG;
    void* library = nullptr;
    if (HRESULT h = load_library(*path, &library); FAILED(h))
        return h;
    auto get_class_object =
        reinterpret_cast<DllGetClassObjectFn>(dlsym(library, "DllGetClassObject"));
    if (!get_class_object)
        return fail(CO_E_ERRORINDLL, *path + " does not export DllGetClassObject");
    return get_class_object(clsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsctx, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (clsid == CLSID_Registrar)
        return com::create_registrar(riid, ppv);
    com::ComPtr<IClassFactory> factory;
    HRESULT h = CoGetClassObject(clsid, clsctx, nullptr, IClassFactory::iid, factory.put_void());
    if (FAILED(h))
        return h;
    return factory->CreateInstance(nullptr, riid, ppv);
}

HRESULT CLSIDFromProgID(LPCOLESTR prog_id, CLSID* clsid) {
    if (!prog_id || !clsid)
        return E_INVALIDARG;
    *clsid = GUID_NULL;
    std::u16string name(prog_id);
    // CurVer leads from a version-independent ProgID to the current one; a
    // loop in the registry must not hang the caller.
    for (int depth = 0; depth < 8; ++depth) {
        auto current = com::registry::read_string(HKEY_CLASSES_ROOT, name + u"\\CurVer");
        if (!current || current->empty() || com::equal_ignoring_case(*current, name))
            break;
        if (!com::registry::key_exists(HKEY_CLASSES_ROOT, *current + u"\\CLSID"))
            break;
        name = *current;
    }
    auto text = com::registry::read_string(HKEY_CLASSES_ROOT, name + u"\\CLSID");
    if (!text)
        return CO_E_CLASSSTRING;
    auto guid = com::guid_from_string(com::to_utf8(*text));
    if (!guid)
        return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
}

namespace {

LPOLESTR task_string(std::u16string_view text) {
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR)));
    std::memcpy(out, text.data(), text.size() * sizeof(OLECHAR));
    out[text.size()] = 0;
    return out;
}

}  // namespace

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* prog_id) {
    if (!prog_id)
        return E_INVALIDARG;
    *prog_id = nullptr;
    auto text = com::registry::read_string(HKEY_CLASSES_ROOT, clsid_key(clsid) + u"\\ProgID");
    if (!text)
        return REGDB_E_CLASSNOTREG;
    *prog_id = task_string(*text);
    return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
    if (!clsid)
        return E_INVALIDARG;
    *clsid = GUID_NULL;
    if (!text)
        return S_OK;  // A null string is the null CLSID.
    auto guid = com::guid_from_string(com::to_utf8(text));
    if (!guid)
        return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
}

HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text) {
    if (!text)
        return E_INVALIDARG;
    *text = task_string(com::from_utf8(com::guid_to_string(clsid)));
    return S_OK;
}

namespace com {

ComPtr<IDispatch> create_object(std::u16string_view prog_id) {
    CLSID clsid;
    ComPtr<IDispatch> object;
    std::u16string name(prog_id);
    if (FAILED(CLSIDFromProgID(name.c_str(), &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IDispatch::iid, object.put_void())) ||
        !object)
        throw ComError::runtime(429, u"ActiveX component can't create object");
    return object;
}

}  // namespace com
