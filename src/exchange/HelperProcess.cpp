#include "exchange/HelperProcess.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace drawbook {

namespace {

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }
    void Close() {
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

} // namespace

std::string HelperPath(std::string_view name) {
#ifdef DRAWBOOK_INSTALLED_HELPER_DIR
    return DRAWBOOK_INSTALLED_HELPER_DIR + std::string(name);
#else
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(name) : (self.parent_path() / name).string();
#endif
}

HelperRun RunHelper(const std::string& program, const std::vector<std::string>& args, std::chrono::milliseconds limit,
                    std::size_t maxOutput) {
    std::string output;
    bool tooLong = false;
    HelperRun run = StreamHelper(program, args, limit, [&](std::string_view piece) {
        output.append(piece);
        tooLong = output.size() > maxOutput;
        return !tooLong;
    });
    run.tooLong = tooLong;
    run.stopped = false;
    run.output = std::move(output);
    return run;
}

HelperRun StreamHelper(const std::string& program, const std::vector<std::string>& args,
                       std::chrono::milliseconds limit, const HelperOutput& output) {
    constexpr std::chrono::milliseconds kTick{100};
    HelperRun run;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return run;
    }
    Fd readEnd(ends[0]);
    Fd writeEnd(ends[1]);

    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), writeEnd.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(actions.Get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), actions.Get(), nullptr, argv.data(), environ) != 0) {
        return run;
    }
    run.started = true;
    writeEnd.Close(); // so that the child's end alone keeps the pipe open

    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.timedOut = true;
            break;
        }
        pollfd fd{readEnd.Get(), POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(std::min(left, kTick).count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            break;
        }
        if (ready == 0) {
            if (!output({})) {
                run.stopped = true;
                break;
            }
            continue;
        }
        const ssize_t got = read(readEnd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break; // the output is closed: the helper has ended or is about to
        }
        if (!output(std::string_view(buffer, static_cast<std::size_t>(got)))) {
            run.stopped = true;
            break;
        }
    }
    // A helper that closed its output but lingers is given the rest of the limit.
    int status = 0;
    for (;;) {
        const pid_t done = run.timedOut || run.stopped ? 0 : waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            break;
        }
        if (done < 0 && errno != EINTR) {
            run.started = false;
            return run;
        }
        if (run.timedOut || run.stopped || std::chrono::steady_clock::now() >= deadline) {
            run.timedOut = !run.stopped;
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return run;
        }
        usleep(10000);
    }
    if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    } else if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    return run;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace drawbook
