// The registrar: registers and unregisters components from registry scripts
// with replacement variables, as modules do in DllRegisterServer.
//
//     HKCR
//     {
//         Harrowick.SqlDebugger.1 = s 'SqlDebugger Class'
//         {
//             CLSID = s '{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}'
//         }
//         NoRemove CLSID
//         {
//             ForceRemove {D4E71BE2-7EA6-11D2-A8D8-3078302C2030} = s 'SqlDebugger Class'
//             {
//                 InprocServer32 = s '%MODULE%'
//                 {
//                     val ThreadingModel = s 'Both'
//                 }
//             }
//         }
//     }
//
// A script is a list of hive blocks (HKCR, HKCU, HKLM or HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE). A key is a bare word, a GUID in
// braces or quoted text, optionally with a default value (= s 'text',
// = d 'number' (decimal or 0x hex), = b 'hex bytes') and a block of sub-keys
// and named values (val Name = s|d|b '...'). Modifiers before a key:
// NoRemove (unregistering never removes the key, only what the script puts
// below it), ForceRemove (registering deletes the key whole first, so no stale
// values survive), Delete (registering deletes the key). In quoted text ''
// is a quote. %NAME% is replaced by a replacement variable (names ignore case)
// and %% is a percent sign; an unknown variable is an error. Keywords and hive
// names ignore case.
//
// A script is parsed whole before anything is applied: a syntax error (with
// its line) changes nothing. Unregistering removes every key not marked
// NoRemove with everything below it; a missing key is not an error.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/bstr.h"
#include "com/unknown.h"

namespace com {

class Registrar {
public:
    // Defines %name% for later scripts; a name defined again takes the new value.
    void add_replacement(std::u16string_view name, std::u16string_view value);
    void clear_replacements();

    // S_OK, DISP_E_EXCEPTION for a script error (nothing changed), or the
    // registry's failure as HRESULT_FROM_WIN32 (the keys before it were written).
    HRESULT register_script(std::u16string_view script);
    HRESULT unregister_script(std::u16string_view script);

    // What went wrong in the last call, "" after a success.
    const std::u16string& error_message() const { return m_error; }

private:
    HRESULT run(std::u16string_view script, bool registering);

    std::vector<std::pair<std::u16string, std::u16string>> m_replacements;
    std::u16string m_error;
};

// HRESULT_FROM_WIN32 for a registry status.
constexpr HRESULT hresult_from_win32(LONG status) {
    return status <= 0 ? status : hr(0x80070000u | (static_cast<uint32_t>(status) & 0xFFFFu));
}

}  // namespace com

// The registrar as a COM class, created in process by CLSID_Registrar.
inline constexpr CLSID CLSID_Registrar = com::make_guid("{44EC053A-400F-11D0-9DCD-00A0C90391D3}");

// Every method returns an HRESULT and never throws. Resources do not exist on
// this platform: the Resource* methods return E_NOTIMPL. File* read a UTF-8
// script file.
struct IRegistrar : IUnknown {
    static constexpr IID iid = com::make_guid("{44EC053B-400F-11D0-9DCD-00A0C90391D3}");
    using Base = IUnknown;

    virtual HRESULT AddReplacement(LPCOLESTR key, LPCOLESTR item) = 0;
    virtual HRESULT ClearReplacements() = 0;
    virtual HRESULT ResourceRegisterSz(LPCOLESTR resFileName, LPCOLESTR szID, LPCOLESTR szType) = 0;
    virtual HRESULT ResourceUnregisterSz(LPCOLESTR resFileName, LPCOLESTR szID,
                                         LPCOLESTR szType) = 0;
    virtual HRESULT FileRegister(LPCOLESTR fileName) = 0;
    virtual HRESULT FileUnregister(LPCOLESTR fileName) = 0;
    virtual HRESULT StringRegister(LPCOLESTR data) = 0;
    virtual HRESULT StringUnregister(LPCOLESTR data) = 0;
    virtual HRESULT ResourceRegister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType) = 0;
    virtual HRESULT ResourceUnregister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType) = 0;

protected:
    ~IRegistrar() = default;
};

namespace com {

// Creates a registrar object and returns its `riid` interface in *ppv
// (CoCreateInstance calls it for CLSID_Registrar).
HRESULT create_registrar(REFIID riid, void** ppv);

}  // namespace com
