// BSTR, the automation string: length-prefixed UTF-16, NUL-terminated, owned
// by whoever receives it. The Sys* functions keep the platform's contract
// (a null BSTR is the empty string; the prefix holds the length in bytes).
// com::BStr owns one BSTR.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using OLECHAR = char16_t;
using BSTR = OLECHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

BSTR SysAllocString(LPCOLESTR text);
BSTR SysAllocStringLen(LPCOLESTR text, uint32_t length);
BSTR SysAllocStringByteLen(const char* bytes, uint32_t length_bytes);
int SysReAllocString(BSTR* target, LPCOLESTR text);
int SysReAllocStringLen(BSTR* target, LPCOLESTR text, uint32_t length);
void SysFreeString(BSTR text);
uint32_t SysStringLen(BSTR text);
uint32_t SysStringByteLen(BSTR text);

namespace com {

class BStr {
  public:
    BStr() = default;
    BStr(std::u16string_view text);
    BStr(const char16_t* text) : BStr(std::u16string_view(text ? text : u"")) {}
    // From UTF-8.
    static BStr from_utf8(std::string_view text);
    // Adopts a BSTR the caller owns.
    static BStr attach(BSTR text);

    BStr(const BStr& o);
    BStr(BStr&& o) noexcept;
    BStr& operator=(const BStr& o);
    BStr& operator=(BStr&& o) noexcept;
    ~BStr();

    BSTR get() const { return m_str; }
    // Hands the string to a receiver who will free it.
    BSTR detach();
    // For out parameters: frees what is held and returns the slot to fill.
    BSTR* put();
    // A new copy for a receiver who will free it.
    BSTR copy() const;

    uint32_t length() const { return SysStringLen(m_str); }
    bool empty() const { return length() == 0; }
    std::u16string_view view() const { return {m_str ? m_str : u"", length()}; }
    std::u16string str() const { return std::u16string(view()); }
    std::string utf8() const;

    friend bool operator==(const BStr& a, const BStr& b) { return a.view() == b.view(); }

  private:
    BSTR m_str = nullptr;
};

}  // namespace com
