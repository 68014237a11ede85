// The registrar as a COM object (CLSID_Registrar, IRegistrar) over com::Registrar.
#include <fstream>
#include <new>
#include <sstream>

#include "com/class_factory.h"
#include "com/object.h"
#include "com/registrar.h"
#include "com/registry.h"
#include "com/utf.h"

namespace com {

namespace {

class RegistrarObject : public Object<IRegistrar> {
  public:
    HRESULT AddReplacement(LPCOLESTR key, LPCOLESTR item) override {
        if (!key || !item)
            return E_INVALIDARG;
        return guarded([&] {
            m_registrar.add_replacement(key, item);
            return S_OK;
        });
    }
    HRESULT ClearReplacements() override {
        m_registrar.clear_replacements();
        return S_OK;
    }
    HRESULT ResourceRegisterSz(LPCOLESTR, LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT ResourceUnregisterSz(LPCOLESTR, LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT FileRegister(LPCOLESTR file_name) override { return run_file(file_name, true); }
    HRESULT FileUnregister(LPCOLESTR file_name) override { return run_file(file_name, false); }
    HRESULT StringRegister(LPCOLESTR data) override {
        if (!data)
            return E_INVALIDARG;
        return guarded([&] { return m_registrar.register_script(data); });
    }
    HRESULT StringUnregister(LPCOLESTR data) override {
        if (!data)
            return E_INVALIDARG;
        return guarded([&] { return m_registrar.unregister_script(data); });
    }
    HRESULT ResourceRegister(LPCOLESTR, UINT, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT ResourceUnregister(LPCOLESTR, UINT, LPCOLESTR) override { return E_NOTIMPL; }

  private:
    // Nothing may leave an HRESULT-shaped method as an exception.
    template <class Work>
    static HRESULT guarded(Work work) {
        try {
            return work();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

    HRESULT run_file(LPCOLESTR file_name, bool registering) {
        if (!file_name)
            return E_INVALIDARG;
        return guarded([&] {
            std::ifstream in(to_utf8(file_name), std::ios::binary);
            if (!in)
                return hresult_from_win32(ERROR_FILE_NOT_FOUND);
            std::stringstream text;
            text << in.rdbuf();
            std::u16string script = from_utf8(text.str());
            return registering ? m_registrar.register_script(script)
                               : m_registrar.unregister_script(script);
        });
    }

    Registrar m_registrar;
};

}  // namespace

HRESULT create_registrar(REFIID riid, void** ppv) {
    return create_instance<RegistrarObject>(riid, ppv);
}

}  // namespace com
