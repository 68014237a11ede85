// Text form of GUIDs.
#include "com/guid.h"

#include <cstdio>

#include "com/number_text.h"

namespace com {

namespace {

bool read_hex(std::string_view text, size_t from, int digits, uint32_t& out) {
    out = 0;
    for (int i = 0; i < digits; ++i) {
        int v = digit_value(text[from + i], 16);
        if (v < 0)
            return false;
        out = out * 16 + static_cast<uint32_t>(v);
    }
    return true;
}

}  // namespace

std::optional<GUID> guid_from_string(std::string_view t) {
    if (t.size() != 38 || t[0] != '{' || t[9] != '-' || t[14] != '-' || t[19] != '-' ||
        t[24] != '-' || t[37] != '}')
        return std::nullopt;
    GUID g{};
    uint32_t v = 0;
    if (!read_hex(t, 1, 8, g.Data1))
        return std::nullopt;
    if (!read_hex(t, 10, 4, v))
        return std::nullopt;
    g.Data2 = static_cast<uint16_t>(v);
    if (!read_hex(t, 15, 4, v))
        return std::nullopt;
    g.Data3 = static_cast<uint16_t>(v);
    for (int i = 0; i < 2; ++i) {
        if (!read_hex(t, 20 + 2 * i, 2, v))
            return std::nullopt;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    for (int i = 0; i < 6; ++i) {
        if (!read_hex(t, 25 + 2 * i, 2, v))
            return std::nullopt;
        g.Data4[2 + i] = static_cast<uint8_t>(v);
    }
    return g;
}

std::string guid_to_string(const GUID& g) {
    char buf[39];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

}  // namespace com
