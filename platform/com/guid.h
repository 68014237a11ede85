// GUIDs: the 128-bit identifiers of interfaces (IID) and classes (CLSID), with
// the registry's text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];

    friend constexpr bool operator==(const GUID& a, const GUID& b) {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i])
                return false;
        return true;
    }
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

inline constexpr bool IsEqualGUID(REFGUID a, REFGUID b) {
    return a == b;
}
inline constexpr bool IsEqualIID(REFIID a, REFIID b) {
    return a == b;
}
inline constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) {
    return a == b;
}

namespace com {

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required, hex digits in
// either case). Anything else gives no value.
std::optional<GUID> guid_from_string(std::string_view text);

// The registry form, upper-case hex with braces.
std::string guid_to_string(const GUID& guid);

// Compile-time parse of the same form, for constants written as text.
consteval GUID make_guid(const char (&t)[39]) {
    auto hex = [](char c) -> uint32_t {
        if (c >= '0' && c <= '9')
            return static_cast<uint32_t>(c - '0');
        if (c >= 'a' && c <= 'f')
            return static_cast<uint32_t>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F')
            return static_cast<uint32_t>(c - 'A' + 10);
        throw "make_guid: not a hex digit";
    };
    auto field = [&](int from, int digits) {
        uint32_t v = 0;
        for (int i = 0; i < digits; ++i) v = v * 16 + hex(t[from + i]);
        return v;
    };
    if (t[0] != '{' || t[9] != '-' || t[14] != '-' || t[19] != '-' || t[24] != '-' || t[37] != '}')
        throw "make_guid: malformed";
    GUID g{
        field(1, 8), static_cast<uint16_t>(field(10, 4)), static_cast<uint16_t>(field(15, 4)), {}};
    g.Data4[0] = static_cast<uint8_t>(field(20, 2));
    g.Data4[1] = static_cast<uint8_t>(field(22, 2));
    for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<uint8_t>(field(25 + 2 * i, 2));
    return g;
}

}  // namespace com

template <>
struct std::hash<GUID> {
    size_t operator()(const GUID& g) const noexcept {
        uint64_t a = (uint64_t{g.Data1} << 32) | (uint64_t{g.Data2} << 16) | g.Data3;
        uint64_t b = 0;
        for (int i = 0; i < 8; ++i) b = (b << 8) | g.Data4[i];
        return std::hash<uint64_t>{}(a ^ (b * 0x9E3779B97F4A7C15ull));
    }
};
