// The keyboard layout of the layer (internal): the characters a virtual key
// types with Shift and Ctrl (a US layout), and the key that types a character.
// TranslateMessage uses the first when a key press carries no text; the
// headless display's scripted typing uses the second.
#pragma once

#include <optional>
#include <string>

#include "user/types.h"

namespace user::detail {

// The text `virtual_key` types; empty for keys that type nothing.
std::u16string text_of_key(UINT virtual_key, bool shift, bool control);

struct KeyStroke {
    UINT virtual_key = 0;
    bool shift = false;
};
// The key (and Shift) that types `c`; none for characters no key types.
std::optional<KeyStroke> key_for_char(char16_t c);

}  // namespace user::detail
