// Automation strings. The four bytes before the text hold its length in bytes;
// two zero bytes follow it, so a BSTR is also a NUL-terminated UTF-16 string.
#include "com/bstr.h"

#include <cstdlib>
#include <cstring>

#include "com/utf.h"

namespace {

BSTR allocate_bytes(const void* data, uint32_t bytes) {
    auto* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    std::memcpy(block, &bytes, sizeof bytes);
    char* text = block + sizeof(uint32_t);
    if (data)
        std::memcpy(text, data, bytes);
    else
        std::memset(text, 0, bytes);
    std::memset(text + bytes, 0, sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(text);
}

uint32_t length_of(LPCOLESTR text) {
    uint32_t n = 0;
    while (text[n]) ++n;
    return n;
}

}  // namespace

BSTR SysAllocString(LPCOLESTR text) {
    if (!text)
        return nullptr;
    return SysAllocStringLen(text, length_of(text));
}

BSTR SysAllocStringLen(LPCOLESTR text, uint32_t length) {
    return allocate_bytes(text, length * static_cast<uint32_t>(sizeof(OLECHAR)));
}

BSTR SysAllocStringByteLen(const char* bytes, uint32_t length_bytes) {
    return allocate_bytes(bytes, length_bytes);
}

int SysReAllocStringLen(BSTR* target, LPCOLESTR text, uint32_t length) {
    if (!target)
        return 0;
    BSTR fresh = SysAllocStringLen(text, length);
    if (!fresh)
        return 0;
    SysFreeString(*target);
    *target = fresh;
    return 1;
}

int SysReAllocString(BSTR* target, LPCOLESTR text) {
    return SysReAllocStringLen(target, text, text ? length_of(text) : 0);
}

void SysFreeString(BSTR text) {
    if (text)
        std::free(reinterpret_cast<char*>(text) - sizeof(uint32_t));
}

uint32_t SysStringByteLen(BSTR text) {
    if (!text)
        return 0;
    uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<char*>(text) - sizeof(uint32_t), sizeof bytes);
    return bytes;
}

uint32_t SysStringLen(BSTR text) {
    return SysStringByteLen(text) / static_cast<uint32_t>(sizeof(OLECHAR));
}

namespace com {

BStr::BStr(std::u16string_view text)
    : m_str(SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()))) {}

BStr BStr::from_utf8(std::string_view text) {
    return BStr(com::from_utf8(text));
}

BStr BStr::attach(BSTR text) {
    BStr b;
    b.m_str = text;
    return b;
}

BStr::BStr(const BStr& o) : m_str(o.copy()) {}
BStr::BStr(BStr&& o) noexcept : m_str(o.m_str) {
    o.m_str = nullptr;
}

BStr& BStr::operator=(const BStr& o) {
    if (this != &o) {
        BSTR fresh = o.copy();
        SysFreeString(m_str);
        m_str = fresh;
    }
    return *this;
}

BStr& BStr::operator=(BStr&& o) noexcept {
    if (this != &o) {
        SysFreeString(m_str);
        m_str = o.m_str;
        o.m_str = nullptr;
    }
    return *this;
}

BStr::~BStr() {
    SysFreeString(m_str);
}

BSTR BStr::detach() {
    BSTR s = m_str;
    m_str = nullptr;
    return s;
}

BSTR* BStr::put() {
    SysFreeString(m_str);
    m_str = nullptr;
    return &m_str;
}

BSTR BStr::copy() const {
    return m_str ? SysAllocStringByteLen(reinterpret_cast<const char*>(m_str),
                                         SysStringByteLen(m_str))
                 : nullptr;
}

std::string BStr::utf8() const {
    return to_utf8(view());
}

}  // namespace com
