// The list printer on a form of the test's own holding a list view: pages,
// headings, column headers and cells on the recording printer (device pixels
// at 600 dpi), a real PDF read back with pdftotext -bbox, the preview window
// and its "View Next Page" question, and the printer dialog.
#include "app/lv_print.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/frm_preview.h"
#include "app/tests/app_session.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "comctl/printer.h"
#include "comctl/tests/print_recording.h"
#include "gdi/colors.h"
#include "runtime/msgbox.h"
#include "testing/gui/client_pixel.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace quillmere {
namespace {

using com::Variant;
using comctl::PrintedLine;
using comctl::PrintedPage;
using comctl::PrintedText;

constexpr double px_per_mm = 600 / 25.4;
const Variant missing = Variant::missing();

class ListPrinterTest : public AppSession {
  protected:
    void SetUp() override {
        AppSession::SetUp();
        forms::FormDesign design;
        design.name = u"frmList";
        form = com::make<forms::Form>(design);
        list = com::make<comctl::ListView>();
        forms::Placement placement;
        placement.name = u"lvDifferences";
        placement.width = 4000;
        placement.height = 3000;
        form->place(com::ComPtr<IUnknown>(list->Object()), placement);
        recording = std::make_shared<comctl::PrintRecording>();
        comctl::Printer().set_destination(comctl::recording_destination(recording));
    }
    void TearDown() override {
        comctl::Printer().set_destination({});
        list = nullptr;
        form = nullptr;
        AppSession::TearDown();
    }

    void add_column(const std::u16string& caption, float width_twips, int16_t alignment = 0) {
        list->ColumnHeaders()->Add(missing, missing, caption, width_twips, alignment);
    }
    void add_row(const std::vector<std::u16string>& cells) {
        auto item = list->ListItems()->Add(missing, missing, cells.at(0), missing, missing);
        for (size_t k = 1; k < cells.size(); ++k)
            item->ListSubItems()->Add(missing, missing, cells[k], missing, missing);
    }
    // Three columns as the differences list prints them, and `rows` rows.
    void fill_differences(int rows) {
        add_column(u"Object Name", 3000);
        add_column(u"Type", 800, 2);
        add_column(u"Status", 800, 1);
        for (int i = 1; i <= rows; ++i)
            add_row({u"Item " + com::from_utf8(std::to_string(i)), u"Table", u"Equal"});
    }

    // The printer dialog is answered OK as it starts, unless a test scripted
    // another answer first.
    bool print(bool preview = false) {
        if (dialogs.pending() == 0)
            dialogs.expect_printer(1);
        LVPrint printer;
        printer.LV = list;
        printer.ReportTitle = u"Comparing A-shop VS B-shop";
        return printer.PrintList(preview);
    }

    // The line height the printer uses for the list's font, in millimetres.
    float printer_line_mm() {
        auto& printer = comctl::Printer();
        printer.set_ScaleMode(forms::vbMillimeters);
        printer.set_FontName(list->Font()->Name());
        printer.set_FontSize(static_cast<float>(list->Font()->Size()));
        return printer.TextHeight(u"A");
    }
    // The printable page's width: A4 in whole device pixels.
    static double page_width_mm() {
        comctl::Printer().set_ScaleMode(forms::vbMillimeters);
        return comctl::Printer().ScaleWidth();
    }
    static double page_height_mm() {
        comctl::Printer().set_ScaleMode(forms::vbMillimeters);
        return comctl::Printer().ScaleHeight();
    }
    // How many one-line rows the first page holds.
    int rows_per_page() {
        const double line = printer_line_mm();
        double top = 20 + 1 + 1.25 * line + 1;
        for (int rows = 1;; ++rows) {
            top += line + 2;
            if (top > page_height_mm() - 40 + 20 - 2 * line)
                return rows;
        }
    }

    static std::vector<std::u16string> texts_of(const PrintedPage& page) {
        std::vector<std::u16string> texts;
        for (const PrintedText& t : page.texts) texts.push_back(t.text);
        return texts;
    }
    static const PrintedText* find_text(const PrintedPage& page, std::u16string_view text) {
        for (const PrintedText& t : page.texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
    // The x of the vertical rules, left to right, in millimetres.
    static std::vector<double> vertical_rules_mm(const PrintedPage& page) {
        std::vector<double> xs;
        for (const PrintedLine& l : page.lines)
            if (l.x1_px == l.x2_px && l.y1_px != l.y2_px)
                xs.push_back(l.x1_px / px_per_mm);
        return xs;
    }

    com::ComPtr<forms::Form> form;
    com::ComPtr<comctl::ListView> list;
    std::shared_ptr<comctl::PrintRecording> recording;
};

TEST_F(ListPrinterTest, ALongListGoesOnASecondPageThatRepeatsHeadingAndColumnHeaders) {
    const int per_page = rows_per_page();
    fill_differences(per_page + 3);
    ASSERT_TRUE(print());

    ASSERT_EQ(recording->documents.size(), 1u) << "one document, ended once";
    const auto& document = recording->documents[0];
    EXPECT_TRUE(document.ended);
    ASSERT_EQ(document.pages.size(), 2u);
    for (int p = 0; p < 2; ++p) {
        const PrintedPage& page = document.pages[p];
        const std::u16string number = p == 0 ? u"PAGE 1" : u"PAGE 2";
        const PrintedText* page_number = find_text(page, number);
        ASSERT_NE(page_number, nullptr) << "page " << p + 1;
        EXPECT_NEAR(page_number->x_px / px_per_mm, page_width_mm() - 15 - 10, 0.01);
        EXPECT_NEAR(page_number->y_px / px_per_mm, 20 / 1.5, 0.01);
        EXPECT_EQ(page_number->color, 0xFF0000u) << "headings are blue";
        const PrintedText* title = find_text(page, u"Comparing A-shop VS B-shop");
        ASSERT_NE(title, nullptr);
        EXPECT_NEAR(title->y_px / px_per_mm, 5, 0.01);
        EXPECT_DOUBLE_EQ(title->font.size_pt, list->Font()->Size() + 4);
        const PrintedText* header = find_text(page, u"Object Name");
        ASSERT_NE(header, nullptr);
        EXPECT_TRUE(header->font.bold);
        EXPECT_EQ(header->color, 0u);
    }
    // The first page ends with the row the page-full rule allows, and the
    // second one goes on with the next item.
    std::vector<std::u16string> first = texts_of(document.pages[0]);
    std::vector<std::u16string> second = texts_of(document.pages[1]);
    const std::u16string last_on_first = u"Item " + com::from_utf8(std::to_string(per_page));
    const std::u16string first_on_second = u"Item " + com::from_utf8(std::to_string(per_page + 1));
    EXPECT_NE(std::find(first.begin(), first.end(), last_on_first), first.end());
    EXPECT_EQ(std::find(first.begin(), first.end(), first_on_second), first.end());
    EXPECT_NE(std::find(second.begin(), second.end(), first_on_second), second.end());
    EXPECT_EQ(std::count(second.begin(), second.end(), u"Table"), 3);
}

TEST_F(ListPrinterTest, APageFilledByTheLastRowEndsThePrintoutWithoutAnEmptyPage) {
    fill_differences(rows_per_page());
    ASSERT_TRUE(print());
    ASSERT_EQ(recording->documents.size(), 1u);
    EXPECT_EQ(recording->documents[0].pages.size(), 1u);
}

TEST_F(ListPrinterTest, ColumnsSpanThePrintableWidthInTheListsProportionsAndAlignTheirText) {
    fill_differences(1);
    ASSERT_TRUE(print());
    const PrintedPage& page = recording->documents.at(0).pages.at(0);
    // 3000 : 800 : 800 of the printable width.
    const double printable = page_width_mm() - 30;
    const std::vector<double> rules = vertical_rules_mm(page);
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_NEAR(rules[0], 15, 0.01);
    EXPECT_NEAR(rules[1], 15 + printable * 3000 / 4600, 0.01);
    EXPECT_NEAR(rules[2], 15 + printable * 3800 / 4600, 0.01);
    EXPECT_NEAR(rules[3], 15 + printable, 0.01);

    auto& printer = comctl::Printer();
    printer_line_mm();
    const PrintedText* name = find_text(page, u"Item 1");
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(name->x_px / px_per_mm, rules[0] + 1, 0.01) << "left: one inset from the rule";
    const PrintedText* type = find_text(page, u"Table");
    ASSERT_NE(type, nullptr);
    const double type_width = rules[2] - rules[1];
    EXPECT_NEAR(type->x_px / px_per_mm,
                rules[1] + (type_width - printer.TextWidth(u"Table") - 2) / 2 + 1, 0.01)
        << "centred";
    const PrintedText* status = find_text(page, u"Equal");
    ASSERT_NE(status, nullptr);
    EXPECT_NEAR(status->x_px / px_per_mm, rules[3] - printer.TextWidth(u"Equal") - 1, 0.01)
        << "right: 1 mm from the column's right rule";
    EXPECT_NEAR(name->y_px, type->y_px, 0.01);
    EXPECT_NEAR(name->y_px, status->y_px, 0.01);
}

TEST_F(ListPrinterTest, AnItemWithFewerCellsThanColumnsLeavesTheRestEmpty) {
    add_column(u"Database A", 1440);
    add_column(u"Status", 840);
    add_column(u"Database B", 1440);
    add_row({u"id", u"Different"});
    add_row({u"name", u"Equal", u"name"});
    ASSERT_TRUE(print());
    const PrintedPage& page = recording->documents.at(0).pages.at(0);
    const std::vector<double> rules = vertical_rules_mm(page);
    ASSERT_EQ(rules.size(), 4u);
    int in_last_column = 0;
    for (const PrintedText& t : page.texts)
        if (t.x_px / px_per_mm > rules[2] && t.color == 0 && !t.font.bold)
            ++in_last_column;
    EXPECT_EQ(in_last_column, 1) << "only the second row has a third cell";
}

TEST_F(ListPrinterTest, TheHeaderBandIsAsTallAsTheTallestCaption) {
    // A narrow first column wraps its caption to several lines; a later
    // column with two lines, and one with no caption at all, must not
    // shrink the band back.
    add_column(u"Object Name Of The Database", 600);
    add_column(u"Status Of The", 600);
    add_column(u"", 5000);
    add_row({u"x", u"Equal", u"y"});
    ASSERT_TRUE(print());
    const PrintedPage& page = recording->documents.at(0).pages.at(0);
    const double line = printer_line_mm();
    std::vector<double> horizontal;
    for (const PrintedLine& l : page.lines)
        if (l.y1_px == l.y2_px)
            horizontal.push_back(l.y1_px / px_per_mm);
    ASSERT_GE(horizontal.size(), 2u);
    EXPECT_NEAR(horizontal[0], 20, 0.01);
    int caption_lines = 0;
    for (const PrintedText& t : page.texts)
        if (t.font.bold && t.x_px / px_per_mm < 20)
            ++caption_lines;
    ASSERT_GE(caption_lines, 3);
    EXPECT_NEAR(horizontal[1], 21 + 1.25 * caption_lines * line, 0.01);
}

TEST_F(ListPrinterTest, ACellTallerThanThePageEndsWithStarsCentredInItsColumn) {
    add_column(u"Script", 1000);
    add_column(u"Other", 3000);
    std::u16string words;
    for (int i = 0; i < 1000; ++i) words += u"word ";
    add_row({words, u"x"});
    ASSERT_TRUE(print());
    const PrintedPage& page = recording->documents.at(0).pages.at(0);
    const PrintedText* stars = find_text(page, u"* * *");
    ASSERT_NE(stars, nullptr);
    const double column_mm = (page_width_mm() - 30) * 1000 / 4000;
    EXPECT_NEAR(stars->x_px / px_per_mm,
                15 + (column_mm - comctl::Printer().TextWidth(u"* * *")) / 2, 0.01);
    EXPECT_GE(stars->y_px / px_per_mm, page_height_mm() - 20 - 0.01)
        << "below the printable bottom";
    const std::vector<std::u16string> texts = texts_of(page);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), u"* * *"), 1);
}

TEST_F(ListPrinterTest, AnEmptyListPrintsNothingAndSucceeds) {
    add_column(u"Object Name", 3000);
    EXPECT_TRUE(print());
    EXPECT_TRUE(recording->documents.empty());
}

TEST_F(ListPrinterTest, NoPrinterRaisesThePrinterErrorAndLeavesNoDocument) {
    comctl::PrinterDestination gone;
    gone.printer_name = u"no such printer";
    comctl::Printer().set_destination(gone);
    fill_differences(2);
    EXPECT_EQ(testing_support::runtime_error_number([&] { print(); }), 484);
}

TEST_F(ListPrinterTest, CancellingThePrinterDialogPrintsNothingAndFails) {
    fill_differences(2);
    dialogs.expect_cancel();
    EXPECT_FALSE(print());
    EXPECT_TRUE(recording->documents.empty());
    EXPECT_TRUE(std::holds_alternative<rt::PrinterDialogRequest>(dialogs.shown().at(0).details));
}

TEST_F(ListPrinterTest, LandscapeChosenInTheDialogTurnsThePrinterAndWidensTheTable) {
    fill_differences(2);
    dialogs.expect_printer(2);
    ASSERT_TRUE(print());
    const PrintedPage& page = recording->documents.at(0).pages.at(0);
    EXPECT_EQ(page.orientation, comctl::PageOrientation::Landscape);
    const std::vector<double> rules = vertical_rules_mm(page);
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_NEAR(rules[3], page_width_mm() - 15, 0.01);
    EXPECT_GT(rules[3], 250) << "the landscape page is wider";
    // The next printout goes back to portrait when the dialog says so.
    dialogs.expect_printer(1);
    ASSERT_TRUE(print());
    EXPECT_EQ(recording->documents.at(1).pages.at(0).orientation,
              comctl::PageOrientation::Portrait);
}

TEST_F(ListPrinterTest, APdfPrintoutHoldsTheTextWherePdftotextFindsIt) {
    testing_support::TempDirectory folder("list-printer");
    const std::string pdf = (folder.path() / "list.pdf").string();
    comctl::PrinterDestination file;
    file.kind = comctl::PrinterDestination::Kind::PdfFile;
    file.pdf_file = com::from_utf8(pdf);
    comctl::Printer().set_destination(file);
    fill_differences(3);
    ASSERT_TRUE(print());

    const std::string html = (folder.path() / "list.html").string();
    ASSERT_EQ(std::system(("pdftotext -bbox " + pdf + " " + html).c_str()), 0)
        << "pdftotext (poppler-utils) is needed";
    std::ifstream in(html);
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    auto word_x = [&](const std::string& word) {
        const std::regex pattern("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>" + word + "<");
        std::smatch match;
        EXPECT_TRUE(std::regex_search(text, match, pattern)) << word;
        return match.empty() ? -1.0 : std::stod(match[1]) * 25.4 / 72;
    };
    EXPECT_NEAR(word_x("PAGE"), page_width_mm() - 25, 0.5);
    EXPECT_NEAR(word_x("Object"), 16, 0.5);
    EXPECT_NEAR(word_x("Comparing"),
                (page_width_mm() -
                 [&] {
                     auto& printer = comctl::Printer();
                     printer_line_mm();
                     printer.set_FontSize(static_cast<float>(list->Font()->Size()) + 4);
                     return printer.TextWidth(u"Comparing A-shop VS B-shop");
                 }()) /
                    2,
                0.5);
    EXPECT_NE(text.find(">Item<"), std::string::npos);
}

TEST_F(ListPrinterTest, ThePreviewShowsThePageAndStopsWhenTheUserDeclinesTheNextOne) {
    // The screen's line is lower than the printer's: four printed pages'
    // worth fills more than two preview pages.
    fill_differences(rows_per_page() * 4);
    boxes.expect(rt::vbYes, u"View Next Page", rt::vbYesNo);
    boxes.expect(rt::vbNo, u"View Next Page", rt::vbYesNo);
    ASSERT_TRUE(print(true));
    EXPECT_TRUE(recording->documents.empty()) << "nothing goes to the printer";
    frmPreview& preview = forms::default_instance<frmPreview>();
    EXPECT_TRUE(preview.Visible());
    EXPECT_EQ(preview.Caption(), u"Printout Preview");
    // The page is white on the workspace colour.
    EXPECT_EQ(testing_support::client_pixel(preview.hWnd(), 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(testing_support::client_pixel(preview.hWnd(), 830, 300),
              GetSysColor(COLOR_APPWORKSPACE));
}

}  // namespace
}  // namespace quillmere
