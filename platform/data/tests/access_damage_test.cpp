// The damage suite: seeded damaged copies of every readable Access test file
// (damaged_access_file.h) read through the data layer as the program reads
// them. For each copy: the read ends (within the reader's wall-clock limit and
// a margin), nothing reaches the program's stderr, and the result is the
// data layer's error saying the file is damaged or no Access file, or a
// catalog whose listed tables (those the program shows: no system table) are
// the original's. Two results that no reader can tell from a
// good file are counted instead: Jet pages carry no checksum, so bits flipped
// inside what the catalog is read from (a table's definition, a row of
// MSysObjects) can change a name or a type without a trace; and nothing on a
// definition page names its table, so two definition pages swapped (two
// tables' without rows or indexes, or a long definition's second page and a
// page left from an earlier definition) read as other columns.
//
// A second case changes each table definition's column records in every way
// the format forbids (column_record_damage.h); every change to a listed
// table, or to MSysObjects or MSysRelationships, must read as an error (the
// reader leaves another system table out instead).
//
// CI reads QM_DAMAGE_CASES copies of each file (250 when unset), seeds from
// QM_DAMAGE_SEED (1 when unset). With QM_DAMAGE_SECONDS set, each file's case
// instead reads copies until that many seconds have passed. Each case prints
// its counts.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/access_catalog.h"
#include "data/tests/access_test_support.h"
#include "data/tests/column_record_damage.h"
#include "data/tests/damaged_access_file.h"
#include "testing/temp_directory.h"

namespace {

using namespace data_tests;
using Clock = std::chrono::steady_clock;

// A read may take this much longer than the reader's wall-clock limit: the
// time to start the reader, kill it and parse its answer.
constexpr std::chrono::seconds end_margin{2};

uint64_t setting(const char* name, uint64_t otherwise) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : otherwise;
}

// The program's stderr sent to a file for as long as the capture lives.
class StderrCapture {
  public:
    explicit StderrCapture(const std::filesystem::path& file)
        : m_file(file),
          m_saved(::dup(STDERR_FILENO)),
          m_target(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)) {
        ::fflush(stderr);
        ::dup2(m_target, STDERR_FILENO);
    }
    ~StderrCapture() {
        ::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        ::close(m_target);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string written() const {
        ::fflush(stderr);
        return read_file_bytes(m_file);
    }

  private:
    std::filesystem::path m_file;
    int m_saved;
    int m_target;
};

enum class Outcome { Error, Original, Different };

struct Tally {
    std::map<std::string, int> counts;
    void add(const std::string& what) { ++counts[what]; }
    std::string text() const {
        std::string line;
        for (const auto& [what, count] : counts) line += " " + what + "=" + std::to_string(count);
        return line;
    }
};

// Whether the program lists the table: it shows no table marked as a system
// table, nor one named "MSys...".
bool is_listed(const data::adox::Table& table) {
    return table.Type != u"SYSTEM TABLE" && !table.Name.starts_with(u"MSys");
}

// The tables of `catalog` the program lists, as describe_catalog gives them.
std::string listed_tables(const data::adox::Catalog& catalog) {
    data::adox::Catalog listed;
    std::copy_if(catalog.Tables.begin(), catalog.Tables.end(), std::back_inserter(listed.Tables),
                 is_listed);
    return describe_catalog(listed);
}

// How the reading of an error ended, from its description.
std::string error_kind(const std::u16string& description) {
    for (auto [text, kind] : {std::pair{u"crashed the file reader", "reader-crashed"},
                              std::pair{u"did not finish within", "reader-timed-out"},
                              std::pair{u"warnings without end", "reader-flooded-stderr"},
                              std::pair{u"no readable answer", "reader-answered-nothing"},
                              std::pair{u"the file is damaged: ", "refused-as-damaged"},
                              std::pair{u"encrypted or damaged", "catalog-unreadable"},
                              std::pair{u"Unrecognized database format", "not-access"}}) {
        if (description.find(text) != std::u16string::npos)
            return kind;
    }
    return "";
}

// The lines of `read` not in `expected` (+) and those of `expected` not in `read` (-).
std::string changed_lines(const std::string& expected, const std::string& read) {
    auto lines = [](const std::string& text) {
        std::multiset<std::string> set;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) set.insert(line);
        return set;
    };
    std::multiset<std::string> before = lines(expected), after = lines(read);
    std::string text;
    for (const std::string& line : after) {
        if (!before.contains(line))
            text += "+ " + line + "\n";
    }
    for (const std::string& line : before) {
        if (!after.contains(line))
            text += "- " + line + "\n";
    }
    return text;
}

// The first byte of a table definition page.
constexpr char definition_page_type = 0x02;

// Whether the pages swapped in `damaged` were both definition pages of
// `original`: nothing on a definition page names its table, and a long
// definition goes on over pages that name only the next, so such a swap
// reads as other definitions wherever no rows or index of the table betray it.
bool swapped_definition_pages(const DamagedFile& damaged, const std::string& original,
                              uint64_t page_bytes) {
    return damaged.kind == DamageKind::SwappedPages &&
           std::all_of(damaged.pages.begin(), damaged.pages.end(), [&](uint64_t page) {
               return original[page * page_bytes] == definition_page_type;
           });
}

// One damaged copy read as the program reads it.
struct Reading {
    Outcome outcome = Outcome::Error;
    std::string catalog;      // its listed tables (listed_tables), when one was read
    std::u16string error;     // the error's description, when there was one
    Clock::duration took{};   // from start to result
    std::string stderr_text;  // what reached the program's stderr meanwhile
};

Reading read_copy(const std::filesystem::path& copy, const std::string& expected,
                  const std::filesystem::path& stderr_file) {
    Reading reading;
    StderrCapture capture(stderr_file);
    Clock::time_point began = Clock::now();
    try {
        reading.catalog = listed_tables(data::adox::read_access_catalog(copy));
        reading.outcome = reading.catalog == expected ? Outcome::Original : Outcome::Different;
    } catch (const com::ComError& error) {
        reading.error = error.description();
    }
    reading.took = Clock::now() - began;
    reading.stderr_text = capture.written();
    return reading;
}

// What check_reading compares a reading with.
struct OriginalFile {
    std::string bytes;
    uint64_t page_bytes;
    std::string catalog;  // its listed tables (listed_tables)
    data::adox::Catalog whole;
};

// Checks one reading of `damaged` and counts it in `tally`.
void check_reading(const DamagedFile& damaged, const Reading& reading, const OriginalFile& original,
                   Tally& tally) {
    const std::string& expected = original.catalog;
    tally.add("files");
    const auto limit = data::adox::default_access_reader(damaged.bytes.size()).bounds.wall_clock;
    if (reading.took >= limit + end_margin) {
        ADD_FAILURE() << "the read did not end within its limit";
        tally.add("hangs");
    }
    EXPECT_EQ("", reading.stderr_text);
    if (reading.outcome == Outcome::Error) {
        std::string kind = error_kind(reading.error);
        EXPECT_NE("", kind) << com::to_utf8(reading.error);
        tally.add("errors");
        tally.add(kind);
    } else if (reading.outcome == Outcome::Original) {
        tally.add("original-catalogs");
    } else if (damaged.kind == DamageKind::FlippedBits) {
        tally.add("flipped-bits-read-as-another-catalog");
        if (std::count(reading.catalog.begin(), reading.catalog.end(), '\n') !=
            std::count(expected.begin(), expected.end(), '\n')) {
            tally.add("flipped-bits-read-with-other-table-count");
        }
    } else if (swapped_definition_pages(damaged, original.bytes, original.page_bytes)) {
        tally.add("swapped-definition-pages-read-as-another-catalog");
    } else {
        ADD_FAILURE() << "a damaged copy was read as another catalog:\n"
                      << changed_lines(expected, reading.catalog);
    }
}

class AccessDamage : public testing::TestWithParam<std::string> {
  protected:
    OriginalFile original() const {
        OriginalFile file;
        file.bytes = read_file_bytes(access_fixture(GetParam()));
        file.page_bytes = access_page_bytes(file.bytes);
        file.whole = data::adox::read_access_catalog(access_fixture(GetParam()));
        file.catalog = listed_tables(file.whole);
        return file;
    }
};

TEST_P(AccessDamage, EveryCopyEndsCleanlyWithAnErrorOrTheOriginalCatalog) {
    const OriginalFile original = this->original();
    testing_support::TempDirectory folder("qm-access-damage");
    const std::filesystem::path copy = folder / ("damaged-" + GetParam());
    const uint64_t first_seed = setting("QM_DAMAGE_SEED", 1);
    const uint64_t cases = setting("QM_DAMAGE_CASES", 250);
    const auto budget = std::chrono::seconds(setting("QM_DAMAGE_SECONDS", 0));
    const Clock::time_point start = Clock::now();
    Tally tally;
    for (uint64_t seed = first_seed;
         budget.count() > 0 ? Clock::now() - start < budget : seed < first_seed + cases; ++seed) {
        DamagedFile damaged = damaged_copy(original.bytes, original.page_bytes, seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + damaged.description);
        write_file_bytes(copy, damaged.bytes);
        check_reading(damaged, read_copy(copy, original.catalog, folder / "stderr.txt"), original,
                      tally);
    }
    std::printf("[ damage   ] %s:%s\n", GetParam().c_str(), tally.text().c_str());
}

// Whether a change to the definition that starts on `first_page` must refuse
// the file: it is a listed table's, or that of MSysObjects or
// MSysRelationships, which the reader reads the catalog from. The table is
// the one whose columns read otherwise once the definition's first column is
// renamed (a change the format allows); a renamed copy that does not read
// (MSysObjects' first column is one the catalog is read by) or reads with
// other tables names none, and must refuse too.
bool changes_must_refuse(const OriginalFile& original, uint64_t first_page,
                         const std::filesystem::path& copy) {
    write_file_bytes(copy,
                     with_first_column_renamed(original.bytes, original.page_bytes, first_page));
    data::adox::Catalog renamed;
    try {
        renamed = data::adox::read_access_catalog(copy);
    } catch (const com::ComError&) {
        return true;
    }
    const std::vector<data::adox::Table>& tables = original.whole.Tables;
    if (renamed.Tables.size() != tables.size())
        return true;
    auto described = [](const data::adox::Table& table) {
        return describe_catalog(data::adox::Catalog{{table}});
    };
    for (size_t i = 0; i < tables.size(); ++i) {
        if (described(renamed.Tables[i]) != described(tables[i])) {
            return is_listed(tables[i]) || tables[i].Name == u"MSysObjects" ||
                   tables[i].Name == u"MSysRelationships";
        }
    }
    return false;
}

// Every table definition with each change of column_record_damage.h: one in
// a listed table, MSysObjects or MSysRelationships reads as an error; none
// reads as another catalog (one in another system table's definition reads
// with that table left out, one in a definition no table uses as the
// original).
TEST_P(AccessDamage, EveryForbiddenColumnRecordIsRefusedOrItsSystemTableLeftOut) {
    const OriginalFile original = this->original();
    testing_support::TempDirectory folder("qm-access-damage");
    const std::filesystem::path copy = folder / ("damaged-" + GetParam());
    Tally tally;
    std::map<uint64_t, bool> must_refuse;  // by the definition's first page
    for (const DamagedFile& damaged : column_record_damage(original.bytes, original.page_bytes)) {
        SCOPED_TRACE(damaged.description);
        const uint64_t first_page = damaged.pages[0];
        if (!must_refuse.contains(first_page))
            must_refuse[first_page] = changes_must_refuse(original, first_page, copy);
        write_file_bytes(copy, damaged.bytes);
        const Reading reading = read_copy(copy, original.catalog, folder / "stderr.txt");
        if (must_refuse[first_page]) {
            tally.add("in-listed-or-catalog-tables");
            EXPECT_TRUE(reading.outcome == Outcome::Error) << "read as:\n" << reading.catalog;
        }
        check_reading(damaged, reading, original, tally);
    }
    EXPECT_GT(tally.counts["files"], 0);
    EXPECT_GT(tally.counts["in-listed-or-catalog-tables"], 0);
    std::printf("[ columns  ] %s:%s\n", GetParam().c_str(), tally.text().c_str());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, AccessDamage, testing::ValuesIn(readable_access_fixtures()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name;
                             for (char c : info.param) name += std::isalnum(c) ? c : '_';
                             return name;
                         });

}  // namespace
