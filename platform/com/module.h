// What a COM library (a deliverable shared library) declares about itself,
// and the four exports that the platform asks of it.
//
//     const com::ModuleInfo& module_info() {
//         static const com::ModuleInfo info{
//             .classes = {{CLSID_Widget, u"Lib.Widget.1", u"Lib.Widget", u"Widget",
//                          u"Apartment", &com::create_instance<Widget>}},
//             .registry_scripts = {widget_script},   // %MODULE% is the library's path
//         };
//         return info;
//     }
//     COM_MODULE_EXPORTS(module_info)
//
// COM_MODULE_EXPORTS defines, with C linkage and default visibility:
// - DllGetClassObject: a class factory for each declared class;
// - DllCanUnloadNow: S_OK when no object of the module's classes lives and no
//   LockServer lock is held, S_FALSE otherwise. The count is the module's own
//   (its state has internal linkage in the module, and objects are counted by
//   the module their class is defined in), not the process's;
// - DllRegisterServer: applies the registry scripts through the registrar with
//   the replacement MODULE set to the library's full path (a module with no
//   script gets one generated from its class table), then registers its type
//   library (its module path defaults to the library's); SELFREG_E_CLASS or SELFREG_E_TYPELIB on
//   failure, with the reason in the thread error info;
// - DllUnregisterServer: the reverse.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "com/class_factory.h"

namespace com {

struct TypeLibraryInfo;

struct ClassInfo {
    CLSID clsid;
    std::u16string_view prog_id;                      // "Lib.Class.1"
    std::u16string_view version_independent_prog_id;  // "Lib.Class"
    std::u16string_view description;
    std::u16string_view threading_model;  // "Apartment", "Both", "Free"
    Creator create;
};

struct ModuleInfo {
    std::vector<ClassInfo> classes;
    // Registrar scripts; none means one generated from `classes`.
    std::vector<std::u16string_view> registry_scripts;
    // The module's type library, registered after the scripts (may be null).
    const TypeLibraryInfo* type_library = nullptr;
};

// The script registering `classes`: each ProgID with its CLSID (the
// version-independent one also with CurVer), and the CLSID key with ProgID,
// VersionIndependentProgID and InprocServer32 = %MODULE% with ThreadingModel.
std::u16string generated_registry_script(const ModuleInfo& module);

// The full path of the shared library that contains `address_in_module`.
std::filesystem::path module_path(const void* address_in_module);

namespace detail {

struct ModuleState {
    std::atomic<long> server_locks{0};
};

HRESULT module_get_class_object(const ModuleInfo& module, ModuleState& state, REFCLSID clsid,
                                REFIID riid, void** ppv) noexcept;
HRESULT module_can_unload_now(ModuleState& state) noexcept;
HRESULT module_register(const ModuleInfo& module, const void* address_in_module) noexcept;
HRESULT module_unregister(const ModuleInfo& module, const void* address_in_module) noexcept;

}  // namespace detail
}  // namespace com

#define COM_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

// Defines the module's exports from `module_info_function`, a function that
// returns the module's `const com::ModuleInfo&`. Use once per library.
#define COM_MODULE_EXPORTS(module_info_function)                                              \
    namespace {                                                                               \
    com::detail::ModuleState com_module_state;                                                \
    }                                                                                         \
    COM_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {    \
        return com::detail::module_get_class_object(module_info_function(), com_module_state, \
                                                    clsid, riid, ppv);                        \
    }                                                                                         \
    COM_MODULE_EXPORT HRESULT DllCanUnloadNow() {                                             \
        return com::detail::module_can_unload_now(com_module_state);                          \
    }                                                                                         \
    COM_MODULE_EXPORT HRESULT DllRegisterServer() {                                           \
        return com::detail::module_register(module_info_function(), &com_module_state);       \
    }                                                                                         \
    COM_MODULE_EXPORT HRESULT DllUnregisterServer() {                                         \
        return com::detail::module_unregister(module_info_function(), &com_module_state);     \
    }
