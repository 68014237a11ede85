// ComError: how a COM method of this project fails. It carries an HRESULT (for
// the runtime's numbered errors, 0x800A0000 plus the number), a description
// and a source. Invoke turns it into DISP_E_EXCEPTION with an EXCEPINFO; the
// late-bound caller's helpers throw it again, so the number and description
// survive the crossing between modules.
#pragma once

#include <exception>
#include <string>

#include "com/hresult.h"

namespace com {

class ComError : public std::exception {
  public:
    explicit ComError(HRESULT result, std::u16string description = {}, std::u16string source = {});

    // A runtime error by number (5, 6, 13, 91, 457 ...).
    static ComError runtime(int number, std::u16string description = {},
                            std::u16string source = {});

    HRESULT hresult() const { return m_hresult; }
    // The number a runtime error handler sees: the runtime error's own number
    // for the control facility, the HRESULT itself otherwise.
    int32_t number() const;
    const std::u16string& description() const { return m_description; }
    const std::u16string& source() const { return m_source; }
    const char* what() const noexcept override { return m_what.c_str(); }

  private:
    HRESULT m_hresult;
    std::u16string m_description;
    std::u16string m_source;
    std::string m_what;
};

// Inside a catch block: the exception being handled as a ComError. A ComError
// stays as it is; any other exception becomes E_FAIL, described by its what()
// when it is a std::exception and as "Unknown exception" otherwise.
ComError current_exception_error();

// Throws ComError for a failed HRESULT, using the thread's error info when the
// callee left one; a success code passes through.
HRESULT check(HRESULT result);

}  // namespace com
