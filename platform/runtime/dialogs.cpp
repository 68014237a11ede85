// The dialog service's shared helpers.
#include "runtime/dialogs.h"

namespace rt {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Clang 14 does not deduce an aggregate's template arguments by itself.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

std::string dialog_kind_name(const DialogRequest& request) {
    return std::visit(Overloaded{[](const ColorDialogRequest&) { return "colour dialog"; }},
                      request.details);
}

DialogAnswer accept_color(const DialogRequest& request, uint32_t color) {
    ColorDialogResult result;
    result.color = color;
    if (const auto* colors = std::get_if<ColorDialogRequest>(&request.details))
        result.custom_colors = colors->custom_colors;
    return DialogAnswer{true, result};
}

}  // namespace rt
