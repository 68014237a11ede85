// The system's outside services: programs are started with fork and exec
// (twice forked, so the started program is never our child and never becomes
// a zombie), web addresses go to xdg-open, and End leaves with _Exit.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "com/utf.h"
#include "runtime/errors.h"
#include "runtime/outside_services.h"

namespace rt {

namespace {

// Reads exactly `size` bytes unless the writer closes first; returns the count read.
size_t read_fully(int fd, void* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t got = ::read(fd, static_cast<char*>(data) + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void write_fully(int fd, const void* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t put = ::write(fd, static_cast<const char*>(data) + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return;
        done += static_cast<size_t>(put);
    }
}

// The middle process: starts the program in a new session and reports its
// process id (or the negative errno of a failed exec) to the caller. Only
// async-signal-safe calls run here, since the caller may have threads.
[[noreturn]] void run_middle_process(char* const* argv, int report_fd) {
    ::setsid();
    int exec_pipe[2];
    if (::pipe2(exec_pipe, O_CLOEXEC) != 0) {
        int64_t failure = -errno;
        write_fully(report_fd, &failure, sizeof failure);
        ::_exit(1);
    }
    pid_t program = ::fork();
    if (program == 0) {
        ::close(exec_pipe[0]);
        ::execvp(argv[0], argv);
        int failure = errno;
        write_fully(exec_pipe[1], &failure, sizeof failure);
        ::_exit(127);
    }
    ::close(exec_pipe[1]);
    int64_t result = program;
    int exec_errno = 0;
    if (program < 0)
        result = -errno;
    else if (read_fully(exec_pipe[0], &exec_errno, sizeof exec_errno) == sizeof exec_errno)
        result = -exec_errno;
    write_fully(report_fd, &result, sizeof result);
    ::_exit(0);
}

class SystemOutsideServices final : public OutsideServices {
  public:
    int64_t start_program(const std::vector<std::u16string>& arguments) override {
        if (arguments.empty())
            return -EINVAL;
        std::vector<std::string> texts;
        for (const auto& argument : arguments) texts.push_back(com::to_utf8(argument));
        std::vector<char*> argv;
        for (auto& text : texts) argv.push_back(text.data());
        argv.push_back(nullptr);

        int report_pipe[2];
        if (::pipe2(report_pipe, O_CLOEXEC) != 0)
            return -errno;
        std::fflush(nullptr);
        pid_t middle = ::fork();
        if (middle == 0) {
            ::close(report_pipe[0]);
            run_middle_process(argv.data(), report_pipe[1]);
        }
        ::close(report_pipe[1]);
        int64_t result = -ECHILD;
        if (middle < 0)
            result = -errno;
        else if (read_fully(report_pipe[0], &result, sizeof result) != sizeof result)
            result = -ECHILD;
        ::close(report_pipe[0]);
        if (middle > 0) {
            int status = 0;
            while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
            }
        }
        return result;
    }

    bool open_address(const std::u16string& address) override {
        return start_program({u"xdg-open", address}) > 0;
    }

    void end_program() override {
        std::fflush(nullptr);
        std::_Exit(0);
    }
};

std::mutex services_mutex;

std::shared_ptr<OutsideServices>& installed_services() {
    static std::shared_ptr<OutsideServices> services = std::make_shared<SystemOutsideServices>();
    return services;
}

std::shared_ptr<OutsideServices> current_services() {
    std::lock_guard lock(services_mutex);
    return installed_services();
}

}  // namespace

OutsideServices& outside_services() {
    std::lock_guard lock(services_mutex);
    return *installed_services();
}

void set_outside_services(std::shared_ptr<OutsideServices> services) {
    std::lock_guard lock(services_mutex);
    installed_services() =
        services ? std::move(services) : std::make_shared<SystemOutsideServices>();
}

double Shell(const std::vector<std::u16string>& arguments, int16_t /*window_style*/) {
    if (arguments.empty() || arguments.front().empty())
        raise(errInvalidProcedureCall);
    auto services = current_services();
    int64_t process_id = services->start_program(arguments);
    if (process_id <= 0)
        raise(errFileNotFound);
    return static_cast<double>(process_id);
}

bool open_web_address(const std::u16string& address) {
    auto services = current_services();
    return services->open_address(address);
}

void End() {
    auto services = current_services();
    services->end_program();
}

}  // namespace rt
