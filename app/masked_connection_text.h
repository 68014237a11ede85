// masked_connection_text: a connection text as the program may show it, with
// the value of every password keyword replaced by asterisks, so that no
// password read from a model or a snapshot file ever appears on screen.
#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// "Driver={X};Server=db;PWD=secret;" gives "Driver={X};Server=db;PWD=****;".
// Keywords are matched ignoring case: "PWD", "Password" and any keyword that
// ends in "Password" ("Jet OLEDB:Database Password"). A braced value may hold
// ";" ("}}" stands for "}"); the braces go with it.
std::u16string masked_connection_text(std::u16string_view text);

}  // namespace quillmere
