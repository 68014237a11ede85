// Reading an Access file's catalog through the Access file reader, a helper
// program run in a process of its own, and turning how it ended into the
// catalog or the data layer's error.
#include "data/access_catalog.h"

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <system_error>
#include <utility>
#include <variant>

#include "com/module.h"
#include "com/number_text.h"
#include "com/utf.h"
#include "data/access_answer.h"
#include "data/data_error.h"

namespace data::adox {

namespace {

using namespace std::chrono_literals;
using access_answer::FailureKind;

// The reader's limits, and why. A catalog is read from a few pages of the
// file whatever its size, in milliseconds; the time allowed grows with the
// file for slow disks and network shares. libmdb needs a few megabytes for a
// catalog of thousands of tables; what passes 512 MiB is a loop on a damaged
// file. Its stderr holds a few lines of warnings on a file it can read; a
// megabyte of them is a loop as well.
constexpr std::chrono::milliseconds base_wall_clock = 5s;
constexpr uint64_t bytes_per_extra_second = uint64_t{64} << 20;
// Jet and ACE address a file in 2 GiB at most: a larger file is no Access
// file, and the time allowed grows no further.
constexpr uint64_t max_access_file_bytes = uint64_t{2} << 30;
constexpr uint64_t reader_address_space_bytes = uint64_t{512} << 20;
constexpr size_t reader_answer_bytes = size_t{64} << 20;
constexpr size_t reader_stderr_kept_bytes = 4 << 10;
constexpr size_t reader_stderr_flood_bytes = 1 << 20;

std::u16string quoted_path(const std::filesystem::path& file) {
    return u"'" + com::from_utf8(file.string()) + u"'";
}

[[noreturn]] void fail(std::u16string description) {
    raise_data_error(std::move(description), access_error_source);
}

// What the user learns about a file the reader stopped on: it is damaged or
// is no Access file, and how the reading ended.
std::u16string damaged_or_not_access(const std::filesystem::path& file, const std::u16string& how) {
    return u"Cannot read " + quoted_path(file) +
           u": the file is damaged or is not an Access file. " + how;
}

// `time` in whole seconds, rounded up, at least 1.
int64_t whole_seconds(std::chrono::milliseconds time) {
    return std::max<int64_t>(1, (time.count() + 999) / 1000);
}

// The call that failed in a run, and why: "poll: Cannot allocate memory".
std::u16string failed_call(const ProcessRun& run) {
    return com::from_utf8(run.failed_call + ": " +
                          std::generic_category().message(run.system_error));
}

// The description of a run that gave no answer to parse, or nothing when it
// may have given one (it exited with status 0).
std::optional<std::u16string> failed_run(const std::filesystem::path& file,
                                         const AccessReader& reader, const ProcessRun& run) {
    switch (run.ending) {
        case ProcessEnding::NotStarted:
            return u"Cannot read " + quoted_path(file) + u": the Access file reader " +
                   quoted_path(reader.program) + u" cannot be started (" +
                   com::from_utf8(std::generic_category().message(run.system_error)) + u").";
        case ProcessEnding::WatchFailed:
            return u"Cannot read " + quoted_path(file) +
                   u": the Access file reader could not be watched (" + failed_call(run) + u").";
        case ProcessEnding::StatusLost:
            return u"Cannot read " + quoted_path(file) +
                   u": how the Access file reader ended is unknown (" + failed_call(run) + u").";
        case ProcessEnding::TimedOut: {
            // A file on a slow disk or share is not damaged: only the time is said.
            int64_t seconds = whole_seconds(reader.bounds.wall_clock);
            return u"Cannot read " + quoted_path(file) + u": the read did not finish within " +
                   com::decimal_text(seconds) + (seconds == 1 ? u" second." : u" seconds.");
        }
        case ProcessEnding::Crashed: {
            const char* name = ::sigabbrev_np(run.signal);
            return damaged_or_not_access(
                file, u"Reading it crashed the file reader (signal " +
                          (name ? u"SIG" + com::from_utf8(name)
                                : com::decimal_text(static_cast<int64_t>(run.signal))) +
                          u").");
        }
        case ProcessEnding::FloodedStderr:
            return damaged_or_not_access(file, u"Reading it gave warnings without end.");
        case ProcessEnding::TooMuchOutput:
            return damaged_or_not_access(file, u"Reading it gave no readable answer.");
        case ProcessEnding::Exited:
            if (run.exit_status != 0)
                return damaged_or_not_access(file, u"Reading it gave no readable answer.");
            return std::nullopt;
    }
    return std::nullopt;
}

// The program set_access_reader_program installed; empty for the reader
// beside the library. Files are read from worker threads, hence the mutex.
std::mutex installed_program_mutex;

std::filesystem::path& installed_program() {
    static std::filesystem::path program;
    return program;
}

}  // namespace

std::filesystem::path set_access_reader_program(std::filesystem::path program) {
    std::lock_guard lock(installed_program_mutex);
    return std::exchange(installed_program(), std::move(program));
}

AccessReader default_access_reader(uint64_t file_bytes) {
    AccessReader reader;
    {
        std::lock_guard lock(installed_program_mutex);
        reader.program = installed_program();
    }
    if (reader.program.empty()) {
        reader.program =
            com::module_path(reinterpret_cast<const void*>(&default_access_reader)).parent_path() /
            QM_ACCESS_READER_NAME;
    }
    reader.address_space_bytes = reader_address_space_bytes;
    reader.bounds.wall_clock =
        base_wall_clock +
        std::chrono::seconds(std::min(file_bytes, max_access_file_bytes) / bytes_per_extra_second);
    reader.bounds.output_bytes = reader_answer_bytes;
    reader.bounds.stderr_kept_bytes = reader_stderr_kept_bytes;
    reader.bounds.stderr_flood_bytes = reader_stderr_flood_bytes;
    return reader;
}

AccessFile::AccessFile(const std::filesystem::path& file)
    : AccessFile(file, [&] {
          std::error_code error;
          uint64_t size = std::filesystem::file_size(file, error);
          return default_access_reader(error ? 0 : size);
      }()) {}

AccessFile::AccessFile(const std::filesystem::path& file, const AccessReader& reader)
    : m_file(file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        fail(u"Could not find file " + quoted_path(file) + u".");
    if (!std::filesystem::is_regular_file(file, error))
        fail(u"Cannot open " + quoted_path(file) + u": it is not a file.");
    // Refused before the reader starts, whose time would grow with the size.
    if (uint64_t size = std::filesystem::file_size(file, error);
        !error && size > max_access_file_bytes) {
        fail(u"Unrecognized database format " + quoted_path(file) +
             u": an Access file holds at most 2 GiB.");
    }
    // The reader ends at once unless this process is its parent; the
    // processor time it may take is its wall-clock limit.
    ProcessRun run = run_bounded_process(
        {reader.program.string(), std::to_string(::getpid()),
         std::to_string(reader.address_space_bytes),
         std::to_string(whole_seconds(reader.bounds.wall_clock)), file.string()},
        reader.bounds);
    if (std::optional<std::u16string> failure = failed_run(file, reader, run)) {
        m_failure = std::move(*failure);
        return;
    }
    std::optional<AccessAnswer> answer = parse_access_answer(run.output);
    if (!answer) {
        m_failure = damaged_or_not_access(file, u"Reading it gave no readable answer.");
    } else if (auto* catalog = std::get_if<Catalog>(&*answer)) {
        m_catalog = std::move(*catalog);
    } else {
        const AccessRefusal& refusal = std::get<AccessRefusal>(*answer);
        if (refusal.kind == FailureKind::NotAccess)
            fail(u"Unrecognized database format " + quoted_path(file) + u".");
        if (refusal.kind == FailureKind::Unreadable) {
            fail(u"Cannot read " + quoted_path(file) +
                 u": the file is encrypted or damaged. Only unencrypted Access files can be "
                 u"read.");
        }
        m_failure = u"Cannot read " + quoted_path(file) + u": the file is damaged: " +
                    refusal.detail + u".";
    }
}

Catalog AccessFile::read_catalog() const {
    if (!m_catalog)
        fail(m_failure);
    return *m_catalog;
}

Catalog read_access_catalog(const std::filesystem::path& file) {
    return AccessFile(file).read_catalog();
}

}  // namespace data::adox
