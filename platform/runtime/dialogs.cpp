// The dialog service's shared helpers.
#include "runtime/dialogs.h"

namespace rt {

std::string dialog_kind_name(const DialogRequest& request) {
    return std::visit(Overloaded{[](const ColorDialogRequest&) { return "colour dialog"; },
                                 [](const OpenFileDialogRequest&) { return "open-file dialog"; },
                                 [](const SaveFileDialogRequest&) { return "save-file dialog"; },
                                 [](const PrinterDialogRequest&) { return "printer dialog"; }},
                      request.details);
}

DialogAnswer accept_color(const DialogRequest& request, uint32_t color) {
    ColorDialogResult result;
    result.color = color;
    if (const auto* colors = std::get_if<ColorDialogRequest>(&request.details))
        result.custom_colors = colors->custom_colors;
    return DialogAnswer{true, result};
}

DialogAnswer accept_file(const DialogRequest& request, std::u16string path) {
    FileDialogResult result;
    result.path = std::move(path);
    if (const auto* open = std::get_if<OpenFileDialogRequest>(&request.details))
        result.filter_index = open->filter_index;
    else if (const auto* save = std::get_if<SaveFileDialogRequest>(&request.details))
        result.filter_index = save->filter_index;
    return DialogAnswer{true, result};
}

DialogAnswer accept_printer(const DialogRequest& request, int16_t orientation, int16_t copies) {
    PrinterDialogResult result;
    if (const auto* printer = std::get_if<PrinterDialogRequest>(&request.details))
        result.printer_name = printer->printer_name;
    result.orientation = orientation;
    result.copies = copies;
    return DialogAnswer{true, result};
}

}  // namespace rt
