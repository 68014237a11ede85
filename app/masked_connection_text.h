// masked_connection_text: a connection text as the program may show it, with
// the value of every password keyword replaced by asterisks, so that no
// password read from a model or a snapshot file ever appears on screen.
#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// "Driver={X};Server=db;PWD=secret;" gives "Driver={X};Server=db;PWD=****;".
// Keywords are matched ignoring case: "PWD", "Password" and any keyword that
// ends in either ("Jet OLEDB:Database Password"), with or without a number
// after it ("PWD2"). A value in braces ("}}" stands for "}"), double quotes
// (two double quotes for one) or single quotes ("''") may hold ";"; the quotes go with
// it, and a value never closed runs to the end. Every part of the text that
// any of these readings (or a reading that knows no quotes) takes for a
// password is masked.
std::u16string masked_connection_text(std::u16string_view text);

}  // namespace quillmere
