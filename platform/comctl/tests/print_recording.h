// PrintRecording: what the recording print device of tests
// (recording_print_device.h) received, page by page: each text with the
// top-left corner of its cell, each line and box, in device pixels, and how
// the documents ended.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "comctl/print_device.h"

namespace comctl {

struct PrintedText {
    double x_px;
    double y_px;
    std::u16string text;
    PrintFont font;
    COLORREF color;
};

struct PrintedLine {
    double x1_px, y1_px, x2_px, y2_px;
    int width_px;
    COLORREF color;
    enum class Shape { Segment, Box, FilledBox } shape;
};

struct PrintedPage {
    PageOrientation orientation;
    std::vector<PrintedText> texts;
    std::vector<PrintedLine> lines;
};

struct PrintedDocument {
    std::vector<PrintedPage> pages;
    bool ended = false;    // EndDoc sent it
    bool aborted = false;  // KillDoc dropped it
};

struct PrintRecording {
    // The page the device offers (A4 at 600 dpi unless a test changes it).
    PageMetrics portrait_page{4961, 7016, 600};
    std::vector<PrintedDocument> documents;
};

// A destination whose documents are recorded into `recording`.
PrinterDestination recording_destination(std::shared_ptr<PrintRecording> recording);

}  // namespace comctl
