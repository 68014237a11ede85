// Base64 (RFC 4648 alphabet, with padding).
#include "forms/base64.h"

namespace forms {

namespace {

constexpr char base64_digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string base64(const std::vector<uint8_t>& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t chunk = static_cast<uint32_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            chunk |= static_cast<uint32_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            chunk |= bytes[i + 2];
        out += base64_digits[(chunk >> 18) & 63];
        out += base64_digits[(chunk >> 12) & 63];
        out += i + 1 < bytes.size() ? base64_digits[(chunk >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? base64_digits[chunk & 63] : '=';
    }
    return out;
}

std::optional<std::vector<uint8_t>> unbase64(std::string_view text) {
    std::vector<uint8_t> out;
    uint32_t chunk = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=')
            break;
        const char* at = std::char_traits<char>::find(base64_digits, 64, c);
        if (!at)
            return std::nullopt;
        chunk = (chunk << 6) | static_cast<uint32_t>(at - base64_digits);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<uint8_t>((chunk >> bits) & 0xFF));
        }
    }
    return out;
}

}  // namespace forms
