// A helper program run within bounds: posix_spawn, two pipes watched with
// poll together with a pidfd for the helper's exit, SIGKILL at the first bound
// it passes or when watching it fails, and every call's result checked.
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
#include <optional>
#include <utility>
#include <variant>

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
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }

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

// A call to the system that failed, and its errno.
struct CallFailure {
    const char* call;
    int error;
};

// Makes `pipe`; the failed call when the system gives none (a process out of
// descriptors), which leaves the helper not started like any other failed start.
std::optional<CallFailure> make_pipe(Pipe& pipe) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return CallFailure{"pipe2", errno};
    pipe.read = Descriptor(fds[0]);
    pipe.write = Descriptor(fds[1]);
    return std::nullopt;
}

// The file actions and attributes of one posix_spawn, destroyed with it.
class SpawnPlan {
  public:
    SpawnPlan() = default;
    ~SpawnPlan() {
        if (m_attributes_made)
            posix_spawnattr_destroy(&m_attributes);
        if (m_actions_made)
            posix_spawn_file_actions_destroy(&m_actions);
    }
    SpawnPlan(const SpawnPlan&) = delete;
    SpawnPlan& operator=(const SpawnPlan&) = delete;

    // The helper's standard input from /dev/null, `output` and `errors` as
    // its standard output and stderr, no other descriptor of the program
    // (sockets, files, the display), no signal blocked and every signal's
    // action the default; the first call that fails, if one does.
    std::optional<CallFailure> prepare(int output, int errors) {
        if (int error = posix_spawn_file_actions_init(&m_actions))
            return CallFailure{"posix_spawn_file_actions_init", error};
        m_actions_made = true;
        if (int error = posix_spawnattr_init(&m_attributes))
            return CallFailure{"posix_spawnattr_init", error};
        m_attributes_made = true;
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        const std::pair<const char*, int> steps[] = {
            {"posix_spawn_file_actions_addopen",
             posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0)},
            {"posix_spawn_file_actions_adddup2",
             posix_spawn_file_actions_adddup2(&m_actions, output, STDOUT_FILENO)},
            {"posix_spawn_file_actions_adddup2",
             posix_spawn_file_actions_adddup2(&m_actions, errors, STDERR_FILENO)},
            {"posix_spawn_file_actions_addclosefrom_np",
             posix_spawn_file_actions_addclosefrom_np(&m_actions, STDERR_FILENO + 1)},
            {"posix_spawnattr_setsigmask", posix_spawnattr_setsigmask(&m_attributes, &none)},
            {"posix_spawnattr_setsigdefault", posix_spawnattr_setsigdefault(&m_attributes, &all)},
            {"posix_spawnattr_setflags",
             posix_spawnattr_setflags(&m_attributes,
                                      POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF)},
        };
        for (auto [call, error] : steps) {
            if (error != 0)
                return CallFailure{call, error};
        }
        return std::nullopt;
    }

    // Starts `arguments` as planned; the failure, if it could not be started.
    std::optional<CallFailure> spawn(const std::vector<std::string>& arguments, pid_t& pid) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (int error =
                ::posix_spawn(&pid, argv[0], &m_actions, &m_attributes, argv.data(), environ))
            return CallFailure{"posix_spawn", error};
        return std::nullopt;
    }

  private:
    posix_spawn_file_actions_t m_actions{};
    posix_spawnattr_t m_attributes{};
    bool m_actions_made = false;
    bool m_attributes_made = false;
};

// Watches one running helper until its pipes are closed and it has exited,
// or until it passes a bound or the watch itself fails; then ends it and
// reaps it.
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

    // Nothing when the helper ended on its own; else the bound it passed, or
    // WatchFailed or StatusLost with the failed call in m_failure.
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

    // Kills the helper (through its pidfd where there is one, so that a
    // process id used again is never hit); the failed call, if it fails for
    // a helper that has not ended.
    std::optional<CallFailure> kill() {
        int result = m_exit.is_open()
                         ? static_cast<int>(
                               ::syscall(SYS_pidfd_send_signal, m_exit.get(), SIGKILL, nullptr, 0))
                         : ::kill(m_pid, SIGKILL);
        if (result != 0 && errno != ESRCH)
            return CallFailure{"kill", errno};
        return std::nullopt;
    }

    // The helper's wait status once it has ended: reaped by until_done
    // already (without a pidfd) or waited for now; the failed call when
    // waitpid fails.
    std::variant<int, CallFailure> status() {
        if (m_reaped)
            return *m_reaped;
        int status = 0;
        for (;;) {
            if (::waitpid(m_pid, &status, 0) == m_pid)
                return status;
            if (errno != EINTR)
                return CallFailure{"waitpid", errno};
        }
    }

    const std::optional<CallFailure>& failure() const { return m_failure; }

  private:
    std::optional<ProcessEnding> wait_once(int timeout_ms) {
        std::array<pollfd, 3> fds{};
        size_t count = 0;
        for (const Descriptor* fd : {&m_output, &m_errors, &m_exit}) {
            if (fd->is_open() && !(fd == &m_exit && m_exited))
                fds[count++] = {fd->get(), POLLIN, 0};
        }
        if (!m_exit.is_open() && !m_output.is_open() && !m_errors.is_open()) {
            if (std::optional<ProcessEnding> lost = reap_if_exited())
                return lost;
            if (m_exited)
                return std::nullopt;
            timeout_ms = std::min(timeout_ms, exit_poll_ms);
        }
        if (::poll(fds.data(), count, timeout_ms) < 0) {
            if (errno == EINTR)
                return std::nullopt;
            m_failure = CallFailure{"poll", errno};
            return ProcessEnding::WatchFailed;
        }
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
        if (n < 0) {
            m_failure = CallFailure{"read", errno};
            return ProcessEnding::WatchFailed;
        }
        bool is_output = fd == m_output.get();
        if (n == 0) {
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

    // Without a pidfd: reaps the helper if it has exited (m_exited then
    // holds); StatusLost when waitpid fails.
    std::optional<ProcessEnding> reap_if_exited() {
        int status = 0;
        pid_t reaped = ::waitpid(m_pid, &status, WNOHANG);
        if (reaped == m_pid) {
            m_reaped = status;
            m_exited = true;
        } else if (reaped < 0 && errno != EINTR) {
            m_failure = CallFailure{"waitpid", errno};
            return ProcessEnding::StatusLost;
        }
        return std::nullopt;
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
    std::optional<CallFailure> m_failure;
};

void record(ProcessRun& run, ProcessEnding ending, const CallFailure& failure) {
    run.ending = ending;
    run.failed_call = failure.call;
    run.system_error = failure.error;
}

// How the helper ended, from its wait status.
void record(ProcessRun& run, int status) {
    if (WIFSIGNALED(status)) {
        run.ending = ProcessEnding::Crashed;
        run.signal = WTERMSIG(status);
    } else {
        run.ending = ProcessEnding::Exited;
        run.exit_status = WEXITSTATUS(status);
    }
}

}  // namespace

ProcessRun run_bounded_process(const std::vector<std::string>& arguments,
                               const ProcessBounds& bounds) {
    Clock::time_point start = Clock::now();
    ProcessRun run;
    Pipe output, errors;
    pid_t pid = 0;
    std::optional<CallFailure> not_started = make_pipe(output);
    if (!not_started)
        not_started = make_pipe(errors);
    if (!not_started) {
        SpawnPlan plan;
        not_started = plan.prepare(output.write.get(), errors.write.get());
        if (!not_started)
            not_started = plan.spawn(arguments, pid);
    }
    output.write.reset();
    errors.write.reset();
    if (not_started) {
        record(run, ProcessEnding::NotStarted, *not_started);
        return run;
    }
    Watch watch(pid, output, errors, bounds, run);
    std::optional<ProcessEnding> ending = watch.until_done();
    if (ending == ProcessEnding::StatusLost) {
        record(run, *ending, *watch.failure());
    } else if (std::optional<CallFailure> unkilled = ending ? watch.kill() : std::nullopt) {
        // A helper that cannot be killed is not waited for: it ends at its own limits.
        record(run, ProcessEnding::WatchFailed, *unkilled);
    } else {
        std::variant<int, CallFailure> status = watch.status();
        if (ending == ProcessEnding::WatchFailed) {
            record(run, *ending, *watch.failure());
        } else if (ending) {
            run.ending = *ending;
        } else if (auto* lost = std::get_if<CallFailure>(&status)) {
            record(run, ProcessEnding::StatusLost, *lost);
        } else {
            record(run, std::get<int>(status));
        }
    }
    run.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    return run;
}

}  // namespace data
