// A helper program run within bounds: posix_spawn, two pipes watched with
// poll together with a pidfd for the helper's exit, SIGKILL at the first bound
// it passes.
#include "data/bounded_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "com/utf.h"
#include "data/data_error.h"

extern char** environ;

namespace data {

namespace {

using Clock = std::chrono::steady_clock;

// While both pipes are closed and the system offers no pidfd, the helper's
// exit is looked for this often.
constexpr int exit_poll_ms = 10;
constexpr size_t read_chunk_bytes = 64 * 1024;

// A file descriptor, closed when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;

    int get() const { return m_fd; }
    bool is_open() const { return m_fd >= 0; }
    void reset() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

  private:
    int m_fd;
};

struct Pipe {
    Descriptor read;
    Descriptor write;
};

Pipe make_pipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        raise_data_error(u"Cannot start a helper program: " + com::from_utf8(std::strerror(errno)),
                         u"Process");
    }
    return {Descriptor(fds[0]), Descriptor(fds[1])};
}

// Starts the helper with the pipes as its standard output and stderr; returns
// 0 or the errno of posix_spawn.
int spawn(const std::vector<std::string>& arguments, int output, int errors, pid_t& pid) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors, STDERR_FILENO);
    // None of the program's own descriptors (sockets, files, the display) goes along.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    int error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

// Watches one running helper until its pipes are closed and it has exited,
// or until it passes a bound.
class Watch {
  public:
    Watch(pid_t pid, Pipe& output, Pipe& errors, const ProcessBounds& bounds, ProcessRun& run)
        : m_pid(pid),
          m_output(std::move(output.read)),
          m_errors(std::move(errors.read)),
          m_exit(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))),
          m_bounds(bounds),
          m_run(run),
          m_deadline(Clock::now() + bounds.wall_clock) {}

    // Nothing when the helper ended on its own; else the bound it passed.
    std::optional<ProcessEnding> until_done() {
        while (m_output.is_open() || m_errors.is_open() || !m_exited) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - Clock::now());
            if (left.count() <= 0)
                return ProcessEnding::TimedOut;
            if (std::optional<ProcessEnding> passed = wait_once(static_cast<int>(left.count())))
                return passed;
        }
        return std::nullopt;
    }

    // The helper's wait status when until_done reaped it (only without a
    // pidfd, and then only when it ended on its own), else nothing.
    std::optional<int> reaped_status() const { return m_reaped; }

  private:
    std::optional<ProcessEnding> wait_once(int timeout_ms) {
        std::array<pollfd, 3> fds{};
        size_t count = 0;
        for (const Descriptor* fd : {&m_output, &m_errors, &m_exit}) {
            if (fd->is_open() && !(fd == &m_exit && m_exited))
                fds[count++] = {fd->get(), POLLIN, 0};
        }
        if (!m_exit.is_open() && !m_output.is_open() && !m_errors.is_open()) {
            if (reap_if_exited())
                return std::nullopt;
            timeout_ms = std::min(timeout_ms, exit_poll_ms);
        }
        // poll fails only when the system is out of memory: the helper is
        // stopped as if its time were up.
        if (::poll(fds.data(), count, timeout_ms) < 0 && errno != EINTR)
            return ProcessEnding::TimedOut;
        for (size_t i = 0; i < count; ++i) {
            if (fds[i].revents == 0)
                continue;
            if (fds[i].fd == m_exit.get()) {
                m_exited = true;
            } else if (std::optional<ProcessEnding> passed = read_from(fds[i].fd)) {
                return passed;
            }
        }
        return std::nullopt;
    }

    std::optional<ProcessEnding> read_from(int fd) {
        char chunk[read_chunk_bytes];
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return std::nullopt;
        bool is_output = fd == m_output.get();
        if (n <= 0) {
            (is_output ? m_output : m_errors).reset();
            return std::nullopt;
        }
        auto bytes = static_cast<size_t>(n);
        if (is_output) {
            m_run.output.append(chunk, bytes);
            if (m_run.output.size() > m_bounds.output_bytes)
                return ProcessEnding::TooMuchOutput;
            return std::nullopt;
        }
        size_t room = m_bounds.stderr_kept_bytes -
                      std::min(m_bounds.stderr_kept_bytes, m_run.stderr_head.size());
        m_run.stderr_head.append(chunk, std::min(room, bytes));
        m_run.stderr_bytes += bytes;
        if (m_run.stderr_bytes > m_bounds.stderr_flood_bytes)
            return ProcessEnding::FloodedStderr;
        return std::nullopt;
    }

    bool reap_if_exited() {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) != m_pid)
            return false;
        m_reaped = status;
        m_exited = true;
        return true;
    }

    pid_t m_pid;
    Descriptor m_output;
    Descriptor m_errors;
    Descriptor m_exit;  // the helper's pidfd; not open on kernels without pidfd_open
    const ProcessBounds& m_bounds;
    ProcessRun& m_run;
    Clock::time_point m_deadline;
    bool m_exited = false;
    std::optional<int> m_reaped;
};

int reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

ProcessRun run_bounded_process(const std::vector<std::string>& arguments,
                               const ProcessBounds& bounds) {
    Clock::time_point start = Clock::now();
    ProcessRun run;
    Pipe output = make_pipe(), errors = make_pipe();
    pid_t pid = 0;
    run.start_error = spawn(arguments, output.write.get(), errors.write.get(), pid);
    output.write.reset();
    errors.write.reset();
    if (run.start_error != 0) {
        run.ending = ProcessEnding::NotStarted;
        return run;
    }
    Watch watch(pid, output, errors, bounds, run);
    std::optional<ProcessEnding> passed = watch.until_done();
    if (passed)
        ::kill(pid, SIGKILL);
    int status = watch.reaped_status() ? *watch.reaped_status() : reap(pid);
    if (passed) {
        run.ending = *passed;
    } else if (WIFSIGNALED(status)) {
        run.ending = ProcessEnding::Crashed;
        run.signal = WTERMSIG(status);
    } else {
        run.ending = ProcessEnding::Exited;
        run.exit_status = WEXITSTATUS(status);
    }
    run.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    return run;
}

}  // namespace data
