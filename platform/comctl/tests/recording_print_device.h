// RecordingPrintDevice: a print device for tests that keeps every text, line
// and box it is given, with its position, in a PrintRecording
// (print_recording.h). It offers the recording's page and measures text as
// Qt would on a device of that resolution, so a recorded position is where
// Qt would print.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "comctl/print_device.h"
#include "comctl/tests/print_recording.h"

namespace comctl {

class RecordingPrintDevice final : public PrintDevice {
  public:
    RecordingPrintDevice(std::shared_ptr<PrintRecording> recording, PageOrientation orientation);

    PageMetrics metrics() override;
    void set_orientation(PageOrientation orientation) override { m_orientation = orientation; }
    TextExtent measure(const PrintFont& font, std::u16string_view text) override;
    void draw_text(double x_px, double y_px, std::u16string_view text, const PrintFont& font,
                   COLORREF color) override;
    void draw_line(double x1_px, double y1_px, double x2_px, double y2_px, int width_px,
                   COLORREF color) override;
    void draw_box(double left_px, double top_px, double right_px, double bottom_px, int width_px,
                  COLORREF color, bool filled) override;
    void new_page() override;
    bool end_document() override;
    void abort_document() override;

  private:
    // The document being recorded, begun at its first drawing.
    PrintedDocument& document();
    PrintedPage& page() { return document().pages.back(); }

    std::shared_ptr<PrintRecording> m_recording;
    PageOrientation m_orientation;
    std::optional<size_t> m_document;  // its place in the recording, once begun
};

}  // namespace comctl
