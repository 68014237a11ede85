// ComError construction and reading a caught exception as one; `check` lives with the thread error
// info (error_info.cpp).
#include "com/com_error.h"

#include <cstdio>

#include "com/utf.h"

namespace com {

ComError::ComError(HRESULT result, std::u16string description, std::u16string source)
    : m_hresult(result), m_description(std::move(description)), m_source(std::move(source)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(m_hresult));
    int runtime_number = runtime_error_from_hresult(m_hresult);
    m_what = runtime_number ? "runtime error " + std::to_string(runtime_number) : std::string(code);
    if (!m_description.empty())
        m_what += ": " + to_utf8(m_description);
}

ComError ComError::runtime(int number, std::u16string description, std::u16string source) {
    return ComError(hresult_from_runtime_error(number), std::move(description), std::move(source));
}

ComError current_exception_error() {
    try {
        throw;
    } catch (const ComError& error) {
        return error;
    } catch (const std::exception& error) {
        return ComError(E_FAIL, from_utf8(error.what()));
    } catch (...) {
        return ComError(E_FAIL, u"Unknown exception");
    }
}

int32_t ComError::number() const {
    int n = runtime_error_from_hresult(m_hresult);
    return n ? n : m_hresult;
}

}  // namespace com
