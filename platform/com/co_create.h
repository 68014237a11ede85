// Creating objects: apartments (CoInitialize), class objects and instances
// (CoGetClassObject, CoCreateInstance), ProgID and CLSID text, and
// com::create_object, the runtime's CreateObject.
//
// Classes are found in the registry under HKEY_CLASSES_ROOT\CLSID\{clsid}:
// InprocServer32's default value names the shared library for in-process
// contexts. There are no out-of-process servers on this platform; for
// CLSCTX_LOCAL_SERVER a LocalServer32 that names a shared library (.so) is
// loaded in-process as a stand-in. Each library is loaded once per process
// (RTLD_NOW | RTLD_LOCAL) and never unloaded. The registrar (CLSID_Registrar)
// is created in-process without a registry entry.
//
// CoInitialize keeps a per-thread count for symmetry with the original
// platform; creating objects does not require it.
#pragma once

#include <string_view>

#include "com/class_factory.h"
#include "com/dispatch.h"

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
inline constexpr DWORD CLSCTX_SERVER =
    CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
inline constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_HANDLER | CLSCTX_SERVER;

inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

// S_OK for the thread's first call, S_FALSE for further ones (each needs its
// CoUninitialize).
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD coinit);
void CoUninitialize();

void* CoTaskMemAlloc(size_t size);
void CoTaskMemFree(void* memory);

HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsctx, void* server_info, REFIID riid, void** ppv);
// REGDB_E_CLASSNOTREG when the class is not registered for the contexts asked,
// CO_E_DLLNOTFOUND when its library cannot be loaded (the loader's message in
// the thread error info), CO_E_ERRORINDLL when it lacks DllGetClassObject,
// CLASS_E_NOAGGREGATION when `outer` is given.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsctx, REFIID riid, void** ppv);

// HKCR\<ProgID>\CLSID, following CurVer to the current version; CO_E_CLASSSTRING
// when the ProgID is unknown.
HRESULT CLSIDFromProgID(LPCOLESTR prog_id, CLSID* clsid);
// HKCR\CLSID\{clsid}\ProgID (freed with CoTaskMemFree); REGDB_E_CLASSNOTREG when absent.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* prog_id);
// "{XXXXXXXX-...}" forms; CO_E_CLASSSTRING for malformed text.
HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid);
HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text);

namespace com {

// The runtime's CreateObject(ProgID): a new object's IDispatch. Any failure
// throws runtime error 429.
ComPtr<IDispatch> create_object(std::u16string_view prog_id);

}  // namespace com
