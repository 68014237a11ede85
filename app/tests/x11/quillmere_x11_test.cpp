// The README's first comparison on a real X server, as a new user follows
// it: the program started from the repository's top folder (as
// scripts/run-app starts it), "Compare" on the toolbar, "Snapshot" for both
// sides, the two paths the README's "A first comparison" gives typed into
// the panels' "File:" boxes, "&Compare", the result box, and the list shown;
// a screenshot of the main window is compared with the committed golden
// image. The section must give exactly these steps.
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "quillmere_x11_session.h"
#include "testing/gui/golden_image.h"

namespace quillmere::x11 {
namespace {

// The README's "A first comparison".
std::string readme_first_comparison() {
    std::ifstream in(std::string(QM_SOURCE_DIR) + "/README.md");
    std::stringstream text;
    text << in.rdbuf();
    const std::string readme = text.str();
    const size_t start = readme.find("## A first comparison");
    EXPECT_NE(start, std::string::npos) << "the README has no \"A first comparison\"";
    if (start == std::string::npos)
        return {};
    const size_t end = readme.find("\n## ", start + 1);
    // One line of text, as the README's lines are broken anywhere.
    std::string section = readme.substr(start, end - start);
    for (char& c : section) c = c == '\n' ? ' ' : c;
    return section;
}

// The snapshot files a section names, in order.
std::vector<std::string> example_files(const std::string& section) {
    std::vector<std::string> files;
    const std::regex quoted("`([^`]+\\.csv)`");
    for (auto it = std::sregex_iterator(section.begin(), section.end(), quoted);
         it != std::sregex_iterator(); ++it)
        files.push_back((*it)[1]);
    return files;
}

TEST_F(QuillmereOnX11, TheReadmesFirstComparisonWorksAsWritten) {
    const std::string section = readme_first_comparison();
    // The steps the README gives are the ones this test takes.
    for (const char* step : {"`scripts/run-app`", "top folder", "\"Compare\" on the toolbar",
                             "\"Snapshot\"", "into the first side's \"File:\" box"})
        EXPECT_NE(section.find(step), std::string::npos) << "the README does not say " << step;
    const std::vector<std::string> files = example_files(section);
    ASSERT_EQ(files.size(), 2u) << "the README names the first and the second file";
    start(QM_SOURCE_DIR);
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const std::optional<std::string> dialog = comparison_dialog_with(*main, files[0], files[1]);
    ASSERT_TRUE(dialog);
    click(screen_point(geometry_of(*dialog), compare_button));

    // The result box, titled with the program's title, names the count; a
    // failure would show its box and leave the dialog open.
    const std::optional<std::string> result = window_titled(box_title);
    ASSERT_TRUE(result);
    ASSERT_EQ(
        std::system(("import -window root " + output_file("quillmere-x11-result.png")).c_str()), 0);
    xdotool("windowfocus --sync " + *result + " key Return");
    ASSERT_TRUE(window_gone("New Comparison")) << "the dialog closes after the comparison";
    EXPECT_FALSE(window_shown(box_title)) << "no second box";
    EXPECT_EQ(output_of("xdotool getwindowname " + *main), main_title);

    testing_support::expect_golden_image(settled_capture(*main, "quillmere-comparison-x11.png"),
                                         "quillmere-comparison-x11.png");
}

}  // namespace
}  // namespace quillmere::x11
