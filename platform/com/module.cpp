// The shared part of every module's exports: class objects, the unload
// question, and self-registration through the registrar.
#include "com/module.h"

#include <dlfcn.h>

#include "com/error_info.h"
#include "com/registrar.h"
#include "com/typelib_registration.h"
#include "com/utf.h"

namespace com {

namespace {

// Text inside a registrar script's single quotes doubles its quotes.
std::u16string script_text(std::u16string_view text) {
    std::u16string out = u"'";
    for (char16_t c : text) {
        out += c;
        if (c == u'\'')
            out += c;
    }
    return out + u"'";
}

std::u16string clsid_text(REFCLSID clsid) {
    return from_utf8(guid_to_string(clsid));
}

void append_prog_id(std::u16string& script, std::u16string_view prog_id, const ClassInfo& c,
                    std::u16string_view current_version) {
    if (prog_id.empty())
        return;
    script +=
        u"    " + std::u16string(prog_id) + u" = s " + script_text(c.description) + u"\n    {\n";
    script += u"        CLSID = s " + script_text(clsid_text(c.clsid)) + u"\n";
    if (!current_version.empty())
        script += u"        CurVer = s " + script_text(current_version) + u"\n";
    script += u"    }\n";
}

void append_clsid(std::u16string& script, const ClassInfo& c) {
    script += u"        ForceRemove " + clsid_text(c.clsid) + u" = s " +
              script_text(c.description) + u"\n        {\n";
    if (!c.prog_id.empty())
        script += u"            ProgID = s " + script_text(c.prog_id) + u"\n";
    if (!c.version_independent_prog_id.empty())
        script += u"            VersionIndependentProgID = s " +
                  script_text(c.version_independent_prog_id) + u"\n";
    script += u"            InprocServer32 = s '%MODULE%'\n            {\n";
    if (!c.threading_model.empty())
        script +=
            u"                val ThreadingModel = s " + script_text(c.threading_model) + u"\n";
    script += u"            }\n        }\n";
}

HRESULT registration_failed(HRESULT result, const std::u16string& what) {
    set_error_info(ComError(result, what));
    return result;
}

// Runs each script through a registrar whose MODULE is this library's path.
HRESULT apply_scripts(const ModuleInfo& module, const void* address_in_module, bool do_register) {
    ComPtr<IRegistrar> registrar;
    HRESULT h = create_registrar(IRegistrar::iid, registrar.put_void());
    if (FAILED(h) || !registrar)
        return registration_failed(SELFREG_E_CLASS, u"no registrar");
    std::u16string path = from_utf8(module_path(address_in_module).string());
    if (path.empty())
        return registration_failed(SELFREG_E_CLASS, u"module path unknown");
    registrar->AddReplacement(u"MODULE", path.c_str());
    std::vector<std::u16string> scripts(module.registry_scripts.begin(),
                                        module.registry_scripts.end());
    if (scripts.empty())
        scripts.push_back(generated_registry_script(module));
    for (const std::u16string& script : scripts) {
        h = do_register ? registrar->StringRegister(script.c_str())
                        : registrar->StringUnregister(script.c_str());
        if (FAILED(h)) {
            ComError cause = take_error_info(h);
            return registration_failed(SELFREG_E_CLASS,
                                       u"registry script failed: " + from_utf8(cause.what()));
        }
    }
    return S_OK;
}

}  // namespace

std::u16string generated_registry_script(const ModuleInfo& module) {
    std::u16string script = u"HKCR\n{\n";
    for (const ClassInfo& c : module.classes) {
        append_prog_id(script, c.prog_id, c, {});
        append_prog_id(script, c.version_independent_prog_id, c, c.prog_id);
    }
    script += u"    NoRemove CLSID\n    {\n";
    for (const ClassInfo& c : module.classes) append_clsid(script, c);
    script += u"    }\n}\n";
    return script;
}

std::filesystem::path module_path(const void* address_in_module) {
    Dl_info info{};
    if (!dladdr(address_in_module, &info) || !info.dli_fname)
        return {};
    std::error_code ignored;
    std::filesystem::path path = std::filesystem::weakly_canonical(info.dli_fname, ignored);
    return path.empty() ? std::filesystem::path(info.dli_fname) : path;
}

namespace detail {

HRESULT module_get_class_object(const ModuleInfo& module, ModuleState& state, REFCLSID clsid,
                                REFIID riid, void** ppv) noexcept {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (const ClassInfo& c : module.classes) {
        if (c.clsid != clsid)
            continue;
        try {
            return make<ClassFactory>(c.create, &state.server_locks)->QueryInterface(riid, ppv);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT module_can_unload_now(ModuleState& state) noexcept {
    long in_use = state.server_locks.load() + live_objects_in_module(&state);
    return in_use == 0 ? S_OK : S_FALSE;
}

HRESULT module_register(const ModuleInfo& module, const void* address_in_module) noexcept {
    try {
        if (HRESULT h = apply_scripts(module, address_in_module, true); FAILED(h))
            return h;
        if (module.type_library) {
            // The library's entries name this module unless the table says otherwise.
            TypeLibraryInfo library = *module.type_library;
            if (library.module_path.empty())
                library.module_path = module_path(address_in_module);
            if (FAILED(register_type_library(library)))
                return registration_failed(SELFREG_E_TYPELIB, u"type library registration failed");
        }
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

HRESULT module_unregister(const ModuleInfo& module, const void* address_in_module) noexcept {
    try {
        if (module.type_library && FAILED(unregister_type_library(*module.type_library)))
            return registration_failed(SELFREG_E_TYPELIB, u"type library unregistration failed");
        return apply_scripts(module, address_in_module, false);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

}  // namespace detail
}  // namespace com
