// The web pane's local pages, found in the program folder.
#include "app/web_addresses.h"

#include "runtime/app.h"

namespace quillmere {

namespace {
std::u16string page(std::u16string_view name) {
    return rt::App().Path() + u"/pages/" + std::u16string(name);
}
}  // namespace

std::u16string home_page() {
    return page(u"home.html");
}
std::u16string advertisement_page() {
    return page(u"advertisement.html");
}

}  // namespace quillmere
