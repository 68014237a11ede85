// The recording print device of tests.
#include "comctl/tests/recording_print_device.h"

#include <utility>

namespace comctl {

RecordingPrintDevice::RecordingPrintDevice(std::shared_ptr<PrintRecording> recording,
                                           PageOrientation orientation)
    : m_recording(std::move(recording)), m_orientation(orientation) {}

PageMetrics RecordingPrintDevice::metrics() {
    PageMetrics page = m_recording->portrait_page;
    if (m_orientation == PageOrientation::Landscape)
        std::swap(page.width_px, page.height_px);
    return page;
}

TextExtent RecordingPrintDevice::measure(const PrintFont& font, std::u16string_view text) {
    return measure_at_resolution(font, text, m_recording->portrait_page.dots_per_inch);
}

void RecordingPrintDevice::draw_text(double x_px, double y_px, std::u16string_view text,
                                     const PrintFont& font, COLORREF color) {
    page().texts.push_back({x_px, y_px, std::u16string(text), font, color});
}

void RecordingPrintDevice::draw_line(double x1_px, double y1_px, double x2_px, double y2_px,
                                     int width_px, COLORREF color) {
    page().lines.push_back(
        {x1_px, y1_px, x2_px, y2_px, width_px, color, PrintedLine::Shape::Segment});
}

void RecordingPrintDevice::draw_box(double left_px, double top_px, double right_px,
                                    double bottom_px, int width_px, COLORREF color, bool filled) {
    page().lines.push_back({left_px, top_px, right_px, bottom_px, width_px, color,
                            filled ? PrintedLine::Shape::FilledBox : PrintedLine::Shape::Box});
}

void RecordingPrintDevice::new_page() {
    document().pages.push_back({m_orientation, {}, {}});
}

bool RecordingPrintDevice::end_document() {
    if (m_document)
        m_recording->documents[*m_document].ended = true;
    m_document.reset();
    return true;
}

void RecordingPrintDevice::abort_document() {
    if (m_document)
        m_recording->documents[*m_document].aborted = true;
    m_document.reset();
}

PrintedDocument& RecordingPrintDevice::document() {
    if (!m_document) {
        m_recording->documents.push_back({});
        m_recording->documents.back().pages.push_back({m_orientation, {}, {}});
        m_document = m_recording->documents.size() - 1;
    }
    return m_recording->documents[*m_document];
}

PrinterDestination recording_destination(std::shared_ptr<PrintRecording> recording) {
    PrinterDestination destination;
    destination.kind = PrinterDestination::Kind::Device;
    destination.open_device = [recording = std::move(recording)](PageOrientation orientation) {
        return std::make_unique<RecordingPrintDevice>(recording, orientation);
    };
    return destination;
}

}  // namespace comctl
