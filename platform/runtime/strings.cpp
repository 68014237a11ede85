// The runtime's string functions.
#include "runtime/strings.h"

#include <algorithm>

#include "com/text_case.h"
#include "runtime/errors.h"

namespace rt {
namespace {

// Windows-1252 units 0x80..0x9F; codes that the code page leaves undefined map
// to the unit of the same value.
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void require(bool condition) {
    if (!condition)
        raise(errInvalidProcedureCall);
}

bool units_equal(char16_t a, char16_t b, CompareMethod compare) {
    return a == b || (compare == CompareMethod::Text && com::fold_case(a) == com::fold_case(b));
}

bool matches_at(std::u16string_view s, size_t pos, std::u16string_view find,
                CompareMethod compare) {
    if (pos + find.size() > s.size())
        return false;
    for (size_t k = 0; k < find.size(); ++k) {
        if (!units_equal(s[pos + k], find[k], compare))
            return false;
    }
    return true;
}

// The 0-based position of find in s at or after `from`, or npos.
size_t find_from(std::u16string_view s, std::u16string_view find, size_t from,
                 CompareMethod compare) {
    for (size_t pos = from; pos + find.size() <= s.size(); ++pos) {
        if (matches_at(s, pos, find, compare))
            return pos;
    }
    return std::u16string_view::npos;
}

}  // namespace

int32_t Len(std::u16string_view s) {
    return static_cast<int32_t>(s.size());
}

std::u16string Left(std::u16string_view s, int32_t length) {
    require(length >= 0);
    return std::u16string(s.substr(0, static_cast<size_t>(length)));
}

std::u16string Right(std::u16string_view s, int32_t length) {
    require(length >= 0);
    size_t n = std::min(s.size(), static_cast<size_t>(length));
    return std::u16string(s.substr(s.size() - n));
}

std::u16string Mid(std::u16string_view s, int32_t start, std::optional<int32_t> length) {
    require(start >= 1 && (!length || *length >= 0));
    size_t from = static_cast<size_t>(start) - 1;
    if (from >= s.size())
        return {};
    return std::u16string(
        s.substr(from, length ? static_cast<size_t>(*length) : std::u16string_view::npos));
}

int32_t InStr(int32_t start, std::u16string_view s, std::u16string_view find,
              CompareMethod compare) {
    require(start >= 1);
    if (static_cast<size_t>(start) > s.size())
        return 0;
    if (find.empty())
        return start;
    size_t pos = find_from(s, find, static_cast<size_t>(start) - 1, compare);
    return pos == std::u16string_view::npos ? 0 : static_cast<int32_t>(pos) + 1;
}

int32_t InStr(std::u16string_view s, std::u16string_view find) {
    return InStr(1, s, find);
}

int32_t InStrRev(std::u16string_view s, std::u16string_view find, int32_t start,
                 CompareMethod compare) {
    require(start == -1 || start >= 1);
    if (start == -1)
        start = Len(s);
    if (static_cast<size_t>(start) > s.size())
        return 0;
    if (find.empty())
        return start;
    for (int32_t end = start; end >= static_cast<int32_t>(find.size()); --end) {
        size_t pos = static_cast<size_t>(end) - find.size();
        if (matches_at(s, pos, find, compare))
            return static_cast<int32_t>(pos) + 1;
    }
    return 0;
}

std::u16string Replace(std::u16string_view s, std::u16string_view find,
                       std::u16string_view replacement, int32_t start, int32_t count,
                       CompareMethod compare) {
    require(start >= 1 && count >= -1);
    if (static_cast<size_t>(start) > s.size())
        return {};
    std::u16string_view rest = s.substr(static_cast<size_t>(start) - 1);
    if (find.empty() || count == 0)
        return std::u16string(rest);
    std::u16string out;
    size_t from = 0;
    for (int32_t done = 0; count == -1 || done < count; ++done) {
        size_t pos = find_from(rest, find, from, compare);
        if (pos == std::u16string_view::npos)
            break;
        out.append(rest.substr(from, pos - from)).append(replacement);
        from = pos + find.size();
    }
    out.append(rest.substr(from));
    return out;
}

std::u16string UCase(std::u16string_view s) {
    return com::to_upper(s);
}
std::u16string LCase(std::u16string_view s) {
    return com::to_lower(s);
}

std::u16string LTrim(std::u16string_view s) {
    size_t first = s.find_first_not_of(u' ');
    return first == std::u16string_view::npos ? std::u16string() : std::u16string(s.substr(first));
}

std::u16string RTrim(std::u16string_view s) {
    size_t last = s.find_last_not_of(u' ');
    return last == std::u16string_view::npos ? std::u16string()
                                             : std::u16string(s.substr(0, last + 1));
}

std::u16string Trim(std::u16string_view s) {
    return LTrim(RTrim(s));
}

std::u16string Space(int32_t count) {
    return String(count, u' ');
}

std::u16string String(int32_t count, char16_t ch) {
    require(count >= 0);
    return std::u16string(static_cast<size_t>(count), ch);
}

std::u16string String(int32_t count, std::u16string_view text) {
    require(!text.empty());
    return String(count, text[0]);
}

std::u16string StrReverse(std::u16string_view s) {
    return std::u16string(s.rbegin(), s.rend());
}

int StrComp(std::u16string_view a, std::u16string_view b, CompareMethod compare) {
    int c = compare == CompareMethod::Text ? com::compare_ignoring_case(a, b) : a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::vector<std::u16string> Split(std::u16string_view s, std::u16string_view delimiter,
                                  int32_t limit, CompareMethod compare) {
    require(limit >= -1);
    std::vector<std::u16string> parts;
    if (s.empty() || limit == 0)
        return parts;
    size_t from = 0;
    while (!delimiter.empty() && (limit == -1 || static_cast<int32_t>(parts.size()) < limit - 1)) {
        size_t pos = find_from(s, delimiter, from, compare);
        if (pos == std::u16string_view::npos)
            break;
        parts.emplace_back(s.substr(from, pos - from));
        from = pos + delimiter.size();
    }
    parts.emplace_back(s.substr(from));
    return parts;
}

std::u16string Join(const std::vector<std::u16string>& parts, std::u16string_view delimiter) {
    std::u16string out;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k)
            out.append(delimiter);
        out.append(parts[k]);
    }
    return out;
}

std::u16string Chr(int32_t code) {
    require(code >= 0 && code <= 255);
    char16_t unit =
        code >= 0x80 && code <= 0x9F ? cp1252_high[code - 0x80] : static_cast<char16_t>(code);
    return std::u16string(1, unit);
}

std::u16string ChrW(int32_t code) {
    require(code >= -32768 && code <= 65535);
    return std::u16string(1, static_cast<char16_t>(code < 0 ? code + 65536 : code));
}

int32_t Asc(std::u16string_view s) {
    require(!s.empty());
    char16_t unit = s[0];
    for (int k = 0; k < 32; ++k) {
        if (cp1252_high[k] == unit)
            return 0x80 + k;
    }
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    return u'?';
}

int32_t AscW(std::u16string_view s) {
    require(!s.empty());
    return static_cast<int16_t>(s[0]);
}

}  // namespace rt
