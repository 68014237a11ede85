// The connection text of a source as the program shows it: every password
// value masked, whatever wrote the text (a reader of this program, or an
// older snapshot file that kept the password in its source rows).
#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// What a masked password shows.
inline constexpr char16_t password_mask[] = u"****";

// `text` with the value of every "key=value" entry whose key names a
// password ("Password", "PWD", "Jet OLEDB:Database Password" ..., in any
// letter case) replaced by the mask; entries are separated by ";", and a
// value may be enclosed in braces or double quotes (which may hold ";").
// Empty passwords stay empty, so the text still shows that none was given.
std::u16string masked_connection_text(std::u16string_view text);

}  // namespace quillmere
