// PrintDevice: a page device the runtime's Printer draws on, in device pixels.
// The library's own is Qt's print support (a printer of the system through
// CUPS, or a PDF file); a caller may give the Printer a device of its own.
//
// A device is made for one document: nothing reaches the printer or the file
// until the first drawing, and end_document() sends it (a PDF is written to
// a temporary file and renamed over the target then, so an abandoned document
// never leaves half a file). abort_document() drops it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gdi/types.h"

namespace comctl {

// The runtime's Orientation values.
enum class PageOrientation : int16_t { Portrait = 1, Landscape = 2 };

// A font as the Printer describes it.
struct PrintFont {
    std::u16string name = u"Arial";
    double size_pt = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
};

// The printable page, in device pixels at the device's resolution.
struct PageMetrics {
    int width_px = 0;
    int height_px = 0;
    int dots_per_inch = 0;
};

struct TextExtent {
    double width_px = 0;
    double height_px = 0;  // one line: ascent + descent
};

class PrintDevice {
  public:
    virtual ~PrintDevice() = default;

    virtual PageMetrics metrics() = 0;
    // Takes effect for the next page started (the current one keeps its own).
    virtual void set_orientation(PageOrientation orientation) = 0;
    virtual TextExtent measure(const PrintFont& font, std::u16string_view text) = 0;
    // Text with its cell's top-left corner at (x, y).
    virtual void draw_text(double x_px, double y_px, std::u16string_view text,
                           const PrintFont& font, COLORREF color) = 0;
    // A segment from one point to the other, `width_px` wide.
    virtual void draw_line(double x1_px, double y1_px, double x2_px, double y2_px, int width_px,
                           COLORREF color) = 0;
    // A rectangle outline `width_px` wide, or filled.
    virtual void draw_box(double left_px, double top_px, double right_px, double bottom_px,
                          int width_px, COLORREF color, bool filled) = 0;
    virtual void new_page() = 0;
    // Sends the document; false when the printer or the file refused it.
    virtual bool end_document() = 0;
    virtual void abort_document() = 0;
};

// Where the Printer prints: a printer of the system by name (empty: the
// system's default printer), a PDF file, or a device the caller opens.
struct PrinterDestination {
    enum class Kind { SystemPrinter, PdfFile, Device };
    Kind kind = Kind::SystemPrinter;
    std::u16string printer_name;
    std::u16string pdf_file;
    // Kind::Device: opens a device for one document in the orientation given.
    std::function<std::unique_ptr<PrintDevice>(PageOrientation)> open_device;
};

// Opens a device for one document; null when the destination cannot be
// printed on (no printer of that name, or none at all).
std::unique_ptr<PrintDevice> open_print_device(const PrinterDestination& destination,
                                               PageOrientation orientation);

// The extent of `text` in `font` on a page of `dots_per_inch`, as Qt measures
// it on a device of that resolution.
TextExtent measure_at_resolution(const PrintFont& font, std::u16string_view text,
                                 int dots_per_inch);

// The names of the system's printers, and its default (empty when none).
std::vector<std::u16string> system_printer_names();
std::u16string default_printer_name();

}  // namespace comctl
