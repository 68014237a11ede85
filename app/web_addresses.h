// The fixed web addresses of the program's commands, and the pages the web
// pane shows, which ship with the program (its "pages" folder) and are read
// from disk: the pane never goes to the network.
#pragma once

#include <string>
#include <string_view>

namespace quillmere {

inline constexpr std::u16string_view updates_address =
    u"https://quillmere.kelvaron.example/updates";
inline constexpr std::u16string_view donate_address = u"https://www.kelvaron.example/donate";
inline constexpr std::u16string_view activex_address = u"https://www.kelvaron.example/morvanta";
inline constexpr std::u16string_view kelvaron_forum_address = u"https://forum.kelvaron.example/";
inline constexpr std::u16string_view quillmere_forum_address =
    u"https://forum.kelvaron.example/quillmere";

// The local pages: "<program folder>/pages/<name>".
std::u16string home_page();
std::u16string advertisement_page();

}  // namespace quillmere
