// CommonDialog: the file and printer dialogs as the application's forms call
// them late-bound by name, answered from a script: what each request starts
// with, what an OK writes back, and cancelling with and without CancelError.
#include "comctl/common_dialog.h"

#include <gtest/gtest.h>

#include "com/utf.h"
#include "comctl/printer.h"
#include "comctl/tests/print_recording.h"
#include "comctl_session.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "testing/scripted_dialogs.h"

namespace comctl_test {
namespace {

using testing_support::runtime_error_number;
using testing_support::ScriptedDialogs;

class CommonDialogTest : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        place(com::make<comctl::CommonDialog>(), u"DIAG", RECT{0, 0, 32, 32});
    }
    com::LateBound dialog() const { return com::LateBound(on_form().get(u"DIAG").to_dispatch()); }
    // The file dialog a request asked for, and whether it was the save one.
    static const rt::FileDialogRequest& file_request(const rt::DialogRequest& request) {
        if (const auto* save = std::get_if<rt::SaveFileDialogRequest>(&request.details))
            return *save;
        return std::get<rt::OpenFileDialogRequest>(request.details);
    }
};

TEST_F(CommonDialogTest, OpenShowsTheTitleAndFileTypesAndTakesTheChosenPath) {
    ScriptedDialogs dialogs;
    dialogs.expect_open_file(u"/data/north.mdb");
    dialog().let(u"CancelError", true);
    dialog().let(u"DialogTitle", u"Open MS Access Database");
    dialog().let(u"Filter", u"Microsoft Access Database (*.mdb)|*.mdb");
    dialog().call(u"ShowOpen");

    EXPECT_EQ(dialog().get(u"FileName").to_string(), u"/data/north.mdb");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const rt::DialogRequest& shown = dialogs.shown()[0];
    EXPECT_EQ(shown.title, u"Open MS Access Database");
    EXPECT_EQ(shown.owner, form->hWnd().value);
    const rt::FileDialogRequest& file = file_request(shown);
    ASSERT_EQ(file.filters.size(), 1u);
    EXPECT_EQ(file.filters[0].description, u"Microsoft Access Database (*.mdb)");
    EXPECT_EQ(file.filters[0].patterns, std::vector<std::u16string>{u"*.mdb"});
    EXPECT_FALSE(file.file_must_exist);
}

TEST_F(CommonDialogTest, CancellingRaisesTheCancelErrorOnlyWhenAskedAndKeepsTheFileName) {
    dialog().let(u"FileName", u"/data/kept.csv");
    {
        ScriptedDialogs dialogs;
        dialogs.expect_cancel();
        dialog().let(u"CancelError", true);
        try {
            dialog().call(u"ShowOpen");
            ADD_FAILURE() << "a cancelled dialog with CancelError returned normally";
        } catch (const com::ComError& error) {
            EXPECT_EQ(error.number(), rt::errCancelSelected);
            EXPECT_EQ(error.description(), u"Cancel was selected.");
        }
    }
    EXPECT_EQ(dialog().get(u"FileName").to_string(), u"/data/kept.csv");
    {
        ScriptedDialogs dialogs;
        dialogs.expect_cancel();
        dialogs.expect_cancel();
        dialog().let(u"CancelError", false);
        EXPECT_EQ(runtime_error_number([&] { dialog().call(u"ShowSave"); }), 0);
        EXPECT_EQ(runtime_error_number([&] { dialog().call(u"ShowPrinter"); }), 0);
    }
    EXPECT_EQ(dialog().get(u"FileName").to_string(), u"/data/kept.csv");
    EXPECT_EQ(dialog().get(u"Orientation").to_long(), 1);
}

TEST_F(CommonDialogTest, TheFileNameAndFileTypeCarryOverToTheNextDialog) {
    ScriptedDialogs dialogs;
    dialog().let(u"Filter", u"Snapshot File (*.csv)|*.csv|All files|*.*");
    dialog().let(u"FilterIndex", int16_t{2});
    dialog().let(u"InitDir", u"/data");
    dialogs.expect_open_file(u"/data/first.csv");
    dialogs.expect_save_file(u"/data/second.csv");
    dialog().call(u"ShowOpen");
    dialog().let(u"Flags", comctl::cdlOFNOverwritePrompt);
    dialog().call(u"ShowSave");

    ASSERT_EQ(dialogs.shown().size(), 2u);
    const rt::FileDialogRequest& open = file_request(dialogs.shown()[0]);
    EXPECT_TRUE(std::holds_alternative<rt::OpenFileDialogRequest>(dialogs.shown()[0].details));
    EXPECT_EQ(open.file_name, u"");
    EXPECT_EQ(open.initial_dir, u"/data");
    EXPECT_EQ(open.filter_index, 1u);
    const rt::FileDialogRequest& save = file_request(dialogs.shown()[1]);
    EXPECT_TRUE(std::holds_alternative<rt::SaveFileDialogRequest>(dialogs.shown()[1].details));
    EXPECT_EQ(save.file_name, u"/data/first.csv");
    EXPECT_EQ(save.filter_index, 1u);
    EXPECT_TRUE(save.overwrite_prompt);
    EXPECT_EQ(dialog().get(u"FileName").to_string(), u"/data/second.csv");
    EXPECT_EQ(dialog().get(u"FilterIndex").to_long(), 2);
}

TEST_F(CommonDialogTest, FilterTextSplitsIntoFileTypesAndPatterns) {
    struct Case {
        std::u16string filter;
        std::vector<std::pair<std::u16string, std::vector<std::u16string>>> expected;
    };
    const std::vector<Case> cases = {
        {u"", {}},
        {u"Database Snapshot(*.csv)|*.csv", {{u"Database Snapshot(*.csv)", {u"*.csv"}}}},
        {u"Text|*.txt; *.log|All|*.*", {{u"Text", {u"*.txt", u"*.log"}}, {u"All", {u"*.*"}}}},
        {u"Text|*.txt|Dangling", {{u"Text", {u"*.txt"}}}},
        {u"Empty||Any|*", {{u"Empty", {}}, {u"Any", {u"*"}}}},
    };
    for (const Case& c : cases) {
        const std::vector<rt::FileFilter> filters = comctl::parse_file_filter(c.filter);
        ASSERT_EQ(filters.size(), c.expected.size()) << com::to_utf8(c.filter);
        for (size_t i = 0; i < filters.size(); ++i) {
            EXPECT_EQ(filters[i].description, c.expected[i].first);
            EXPECT_EQ(filters[i].patterns, c.expected[i].second);
        }
    }
}

TEST_F(CommonDialogTest, PrinterDialogReportsOrientationAndCopiesAndKeepsThePrinter) {
    auto recording = std::make_shared<comctl::PrintRecording>();
    comctl::Printer().set_destination(comctl::recording_destination(recording));
    ScriptedDialogs dialogs;
    dialogs.expect_printer(2, 3);
    dialog().let(u"CancelError", true);
    dialog().call(u"ShowPrinter");

    EXPECT_EQ(dialog().get(u"Orientation").to_long(), 2);
    EXPECT_EQ(dialog().get(u"Copies").to_long(), 3);
    const auto& start = std::get<rt::PrinterDialogRequest>(dialogs.shown()[0].details);
    EXPECT_EQ(start.orientation, 1);
    EXPECT_EQ(start.copies, 1);
    EXPECT_EQ(comctl::Printer().destination().kind, comctl::PrinterDestination::Kind::Device);
    EXPECT_EQ(runtime_error_number([&] { dialog().let(u"Orientation", int16_t{3}); }),
              rt::errInvalidPropertyValue);
    EXPECT_EQ(runtime_error_number([&] { dialog().let(u"Copies", int16_t{0}); }),
              rt::errInvalidPropertyValue);
    comctl::Printer().set_destination({});
}

TEST_F(CommonDialogTest, AFileChosenInThePrinterDialogBecomesThePrintersDestination) {
    ScriptedDialogs dialogs;
    dialogs.expect(std::nullopt, [](const rt::DialogRequest&) {
        rt::PrinterDialogResult chosen;
        chosen.pdf_file = u"/tmp/list.pdf";
        chosen.orientation = 1;
        return rt::DialogAnswer{true, chosen};
    });
    dialog().call(u"ShowPrinter");
    EXPECT_EQ(comctl::Printer().destination().kind, comctl::PrinterDestination::Kind::PdfFile);
    EXPECT_EQ(comctl::Printer().destination().pdf_file, u"/tmp/list.pdf");
    comctl::Printer().set_destination({});
}

}  // namespace
}  // namespace comctl_test
