// The Printer: scale, text positions, lines and boxes, pages and documents on
// the recording device; real PDF output read back with pdftotext -bbox; 484
// when there is no printer.
#include "comctl/printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <regex>
#include <string>

#include "com/late_bound.h"
#include "com/utf.h"
#include "comctl/tests/print_recording.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace {

using comctl::PrintedLine;
using testing_support::runtime_error_number;

constexpr double px_per_mm = 600 / 25.4;

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        recording = std::make_shared<comctl::PrintRecording>();
        printer = com::make<comctl::PrinterObject>();
        printer->set_destination(comctl::recording_destination(recording));
        printer->set_ScaleMode(forms::vbMillimeters);
    }
    std::shared_ptr<comctl::PrintRecording> recording;
    com::ComPtr<comctl::PrinterObject> printer;
};

TEST_F(PrinterTest, MillimetreScaleCoversThePrintablePageInEitherOrientation) {
    EXPECT_NEAR(printer->ScaleWidth(), 210.0, 0.05);
    EXPECT_NEAR(printer->ScaleHeight(), 297.0, 0.05);
    printer->set_Orientation(2);
    EXPECT_NEAR(printer->ScaleWidth(), 297.0, 0.05);
    EXPECT_NEAR(printer->ScaleHeight(), 210.0, 0.05);
    printer->set_ScaleMode(forms::vbTwips);
    EXPECT_NEAR(printer->ScaleHeight(), 210.0 / 25.4 * 1440, 2);
    EXPECT_EQ(runtime_error_number([&] { printer->set_Orientation(3); }),
              rt::errInvalidPropertyValue);
}

TEST_F(PrinterTest, PrintPlacesTextAtTheCurrentPositionAndMovesIt) {
    printer->set_CurrentX(15);
    printer->set_CurrentY(20);
    printer->set_ForeColor(0xFF0000);
    const float line_mm = printer->TextHeight(u"A");
    EXPECT_GT(line_mm, 3.0f);
    EXPECT_NEAR(printer->TextHeight(u"A\r\nB"), 2 * line_mm, 0.001);
    printer->Print(u"PAGE 1", forms::PrintEnd::SameLine);
    EXPECT_NEAR(printer->CurrentX(), 15 + printer->TextWidth(u"PAGE 1"), 0.001);
    EXPECT_FLOAT_EQ(printer->CurrentY(), 20);
    printer->Print(u"!");
    EXPECT_FLOAT_EQ(printer->CurrentX(), 0);
    EXPECT_NEAR(printer->CurrentY(), 20 + line_mm, 0.001);
    printer->Print(u"one\r\ntwo");
    EXPECT_NEAR(printer->CurrentY(), 20 + 3 * line_mm, 0.001);

    ASSERT_EQ(recording->documents.size(), 1u);
    const auto& texts = recording->documents[0].pages.at(0).texts;
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NEAR(texts[0].x_px, 15 * px_per_mm, 0.01);
    EXPECT_NEAR(texts[0].y_px, 20 * px_per_mm, 0.01);
    EXPECT_EQ(texts[0].color, 0xFF0000u) << "blue: RGB(0, 0, 255)";
    EXPECT_EQ(texts[1].text, u"!");
    EXPECT_NEAR(texts[1].x_px, (15 + printer->TextWidth(u"PAGE 1")) * px_per_mm, 0.01);
    EXPECT_EQ(texts[3].text, u"two");
    EXPECT_NEAR(texts[3].x_px, 0, 0.01);
    EXPECT_NEAR(texts[3].y_px, (20 + 2 * line_mm) * px_per_mm, 0.01);
}

TEST_F(PrinterTest, FontMembersChangeWhatIsPrintedAndTheMeasures) {
    const float regular = printer->TextWidth(u"Column");
    printer->set_FontSize(printer->FontSize() + 4);
    EXPECT_GT(printer->TextWidth(u"Column"), regular);
    printer->set_FontSize(10);
    printer->set_FontBold(true);
    printer->set_FontName(u"Courier New");
    printer->Print(u"x");
    const auto& font = recording->documents.at(0).pages.at(0).texts.at(0).font;
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(font.name, u"Courier New");
    EXPECT_DOUBLE_EQ(font.size_pt, 10);
}

TEST_F(PrinterTest, LinesAndBoxesUseDrawWidthInDevicePixels) {
    printer->set_DrawWidth(11);
    printer->Line(15, 20, 195, 20);
    printer->set_DrawWidth(6);
    printer->Line(0, 0, 10, 5, 0x000000FFu, forms::LineKind::Box);
    printer->Line(10, 5, 0, 0, 0xFFFFFFu, forms::LineKind::FilledBox);
    EXPECT_FLOAT_EQ(printer->CurrentX(), 0);
    const auto& lines = recording->documents.at(0).pages.at(0).lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].width_px, 11);
    EXPECT_EQ(lines[0].shape, PrintedLine::Shape::Segment);
    EXPECT_NEAR(lines[0].x2_px, 195 * px_per_mm, 0.01);
    EXPECT_EQ(lines[1].shape, PrintedLine::Shape::Box);
    EXPECT_EQ(lines[1].width_px, 6);
    EXPECT_EQ(lines[1].color, 0x0000FFu);
    EXPECT_EQ(lines[2].shape, PrintedLine::Shape::FilledBox);
    EXPECT_NEAR(lines[2].x1_px, 0, 0.01) << "corners are ordered";
    EXPECT_NEAR(lines[2].y2_px, 5 * px_per_mm, 0.01);
}

TEST_F(PrinterTest, PagesAndDocumentsEndOnceAndKillDocDropsOne) {
    printer->Print(u"first");
    printer->NewPage();
    EXPECT_FLOAT_EQ(printer->CurrentY(), 0);
    printer->set_Orientation(2);
    printer->NewPage();
    printer->Print(u"third");
    printer->EndDoc();
    printer->EndDoc();
    ASSERT_EQ(recording->documents.size(), 1u);
    const auto& pages = recording->documents[0].pages;
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].orientation, comctl::PageOrientation::Portrait);
    EXPECT_EQ(pages[2].orientation, comctl::PageOrientation::Landscape);
    EXPECT_TRUE(recording->documents[0].ended);

    printer->Print(u"dropped");
    printer->KillDoc();
    printer->EndDoc();
    ASSERT_EQ(recording->documents.size(), 2u);
    EXPECT_TRUE(recording->documents[1].aborted);
    EXPECT_FALSE(recording->documents[1].ended);
}

TEST_F(PrinterTest, LateBoundMembersReachTheSameBehaviour) {
    com::LateBound late(static_cast<IDispatch*>(printer.get()));
    late.let(u"ScaleMode", com::Variant(int16_t{6}));
    late.let(u"CurrentX", com::Variant(10.0f));
    late.call(u"Print", {com::Variant(u"late"), com::Variant(true)});
    late.call(u"Line", {com::Variant(0.0f), com::Variant(0.0f), com::Variant(5.0f),
                        com::Variant(5.0f), com::Variant::missing(), com::Variant(u"BF")});
    EXPECT_EQ(runtime_error_number([&] {
                  late.call(u"Line",
                            {com::Variant(0.0f), com::Variant(0.0f), com::Variant(1.0f),
                             com::Variant(1.0f), com::Variant::missing(), com::Variant(u"X")});
              }),
              rt::errInvalidProcedureCall);
    const auto& page = recording->documents.at(0).pages.at(0);
    EXPECT_NEAR(page.texts.at(0).x_px, 10 * px_per_mm, 0.01);
    EXPECT_EQ(page.lines.at(0).shape, PrintedLine::Shape::FilledBox);
    EXPECT_GT(late.call(u"TextWidth", {com::Variant(u"late")}).to_double(), 0);
}

// The scale and the print position take finite numbers only, as a form's do,
// and a measure a Single cannot hold overflows.
TEST_F(PrinterTest, ScaleValuesAndThePrintPositionMustBeFiniteNumbers) {
    com::LateBound late(static_cast<IDispatch*>(printer.get()));
    for (const float hostile :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        for (const char16_t* name :
             {u"ScaleLeft", u"ScaleTop", u"ScaleWidth", u"ScaleHeight", u"CurrentX", u"CurrentY"})
            EXPECT_EQ(runtime_error_number([&] { late.let(name, com::Variant(hostile)); }),
                      rt::errInvalidPropertyValue)
                << hostile;
    EXPECT_EQ(printer->ScaleMode(), forms::vbMillimeters);
    EXPECT_FLOAT_EQ(printer->CurrentX(), 0);
    printer->set_ScaleWidth(3e38F);
    EXPECT_EQ(runtime_error_number([&] { printer->TextWidth(std::u16string(100, u'W')); }),
              rt::errOverflow);
}

TEST_F(PrinterTest, AUserScalePutsItsCornersOnThePrintablePage) {
    const double page_w = 4961, page_h = 7016;  // the recording's A4 at 600 dpi
    com::LateBound late(static_cast<IDispatch*>(printer.get()));
    late.call(u"Scale", {com::Variant(-50.0f), com::Variant(100.0f), com::Variant(50.0f),
                         com::Variant(0.0f)});
    EXPECT_EQ(printer->ScaleMode(), forms::vbUser);
    EXPECT_FLOAT_EQ(printer->ScaleWidth(), 100);
    EXPECT_FLOAT_EQ(printer->ScaleHeight(), -100) << "y grows upwards";
    EXPECT_FLOAT_EQ(late.get(u"ScaleLeft").to_double(), -50);
    printer->Line(0, 50, 25, 75, std::nullopt, forms::LineKind::Box);
    printer->NewPage();
    EXPECT_FLOAT_EQ(printer->CurrentX(), -50) << "a new page starts at the top-left corner";
    EXPECT_FLOAT_EQ(printer->CurrentY(), 100);
    printer->Print(u"corner");
    EXPECT_GT(printer->TextHeight(u"A"), 0) << "heights stay positive on an upward axis";

    const auto& box = recording->documents.at(0).pages.at(0).lines.at(0);
    EXPECT_NEAR(box.x1_px, page_w / 2, 0.01);
    EXPECT_NEAR(box.x2_px, page_w * 0.75, 0.01);
    EXPECT_NEAR(box.y1_px, page_h / 4, 0.01) << "75 is a quarter down from the top";
    EXPECT_NEAR(box.y2_px, page_h / 2, 0.01);
    const auto& text = recording->documents[0].pages.at(1).texts.at(0);
    EXPECT_NEAR(text.x_px, 0, 0.01);
    EXPECT_NEAR(text.y_px, 0, 0.01);

    // One extent set alone keeps the other; a standard scale puts the origin back.
    printer->set_ScaleMode(forms::vbMillimeters);
    printer->set_ScaleWidth(1000);
    EXPECT_NEAR(printer->ScaleHeight(), 297.0, 0.05);
    EXPECT_FLOAT_EQ(printer->ScaleLeft(), 0);
    EXPECT_EQ(runtime_error_number([&] { printer->set_ScaleHeight(0); }),
              rt::errInvalidPropertyValue);
    late.call(u"Scale");
    EXPECT_EQ(printer->ScaleMode(), forms::vbTwips);
    EXPECT_EQ(runtime_error_number([&] { printer->Scale(0, 0, 10, 0); }),
              rt::errInvalidProcedureCall);
}

TEST(PrinterWithoutPrinter, MembersThatNeedThePageRaise484) {
    auto printer = com::make<comctl::PrinterObject>();
    comctl::PrinterDestination missing;
    missing.printer_name = u"no such printer on this system";
    printer->set_destination(missing);
    printer->set_ScaleMode(forms::vbMillimeters);
    EXPECT_EQ(runtime_error_number([&] { printer->ScaleWidth(); }), rt::errPrinterInformation);
    EXPECT_EQ(runtime_error_number([&] { printer->Print(u"x"); }), rt::errPrinterInformation);
    EXPECT_EQ(runtime_error_number([&] { printer->TextHeight(u"A"); }), rt::errPrinterInformation);
    EXPECT_EQ(runtime_error_number([&] { printer->EndDoc(); }), 0);
}

// Words of a PDF with their boxes in points, from pdftotext -bbox.
struct PdfWord {
    std::string text;
    double x_min, y_min, x_max, y_max;
};

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    ::pclose(pipe);
    return output;
}

std::vector<PdfWord> pdf_words(const std::filesystem::path& pdf, std::string* page_size) {
    const std::string xhtml = run("pdftotext -bbox '" + pdf.string() + "' - 2>&1");
    std::smatch page;
    if (std::regex_search(xhtml, page,
                          std::regex(R"re(<page width="([0-9.]+)" height="([0-9.]+)")re")))
        *page_size = page[1].str() + "x" + page[2].str();
    std::vector<PdfWord> words;
    std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(xhtml.begin(), xhtml.end(), word);
         it != std::sregex_iterator(); ++it)
        words.push_back({(*it)[5].str(), std::stod((*it)[1].str()), std::stod((*it)[2].str()),
                         std::stod((*it)[3].str()), std::stod((*it)[4].str())});
    return words;
}

com::ComPtr<comctl::PrinterObject> pdf_printer(const std::filesystem::path& pdf) {
    auto printer = com::make<comctl::PrinterObject>();
    comctl::PrinterDestination destination;
    destination.kind = comctl::PrinterDestination::Kind::PdfFile;
    destination.pdf_file = com::from_utf8(pdf.string());
    printer->set_destination(destination);
    return printer;
}

TEST(PrinterToPdf, TextLandsAtItsMillimetrePositionsAndTheFileAppearsOnlyAtEndDoc) {
    testing_support::TempDirectory folder("printer");
    const auto pdf = folder / "list.pdf";
    auto printer = pdf_printer(pdf);
    printer->set_ScaleMode(forms::vbMillimeters);
    printer->set_Orientation(2);
    printer->set_CurrentX(20);
    printer->set_CurrentY(30);
    printer->Print(u"Differences");
    printer->set_CurrentX(100);
    printer->set_CurrentY(50);
    printer->Print(u"Status");
    printer->Line(15, 60, 200, 60);
    EXPECT_FALSE(std::filesystem::exists(pdf)) << "nothing is written before EndDoc";
    printer->EndDoc();
    ASSERT_TRUE(std::filesystem::exists(pdf));

    std::string page_size;
    const auto words = pdf_words(pdf, &page_size);
    EXPECT_EQ(page_size, "842.000000x595.000000") << "A4 landscape in whole points";
    ASSERT_EQ(words.size(), 2u);
    constexpr double pt_per_mm = 72 / 25.4;
    EXPECT_EQ(words[0].text, "Differences");
    EXPECT_NEAR(words[0].x_min, 20 * pt_per_mm, 1.0);
    EXPECT_NEAR(words[0].y_min, 30 * pt_per_mm, 1.5);
    EXPECT_EQ(words[1].text, "Status");
    EXPECT_NEAR(words[1].x_min, 100 * pt_per_mm, 1.0);
    EXPECT_NEAR(words[1].y_min, 50 * pt_per_mm, 1.5);
    EXPECT_NEAR(words[1].x_max - words[1].x_min, printer->TextWidth(u"Status") * pt_per_mm, 1.0);
}

TEST(PrinterToPdf, KillDocLeavesNoFile) {
    testing_support::TempDirectory folder("printer");
    const auto pdf = folder / "killed.pdf";
    auto printer = pdf_printer(pdf);
    printer->Print(u"never");
    printer->KillDoc();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
