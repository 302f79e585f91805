#include "engine/GTPUtils.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zemra {

ECreatePipeErr::ECreatePipeErr()
    : std::runtime_error("CreatePipeMsg: \r\rCreatePipe(FChildStdoutRd, FChildStdoutWr, saAttr, 0)")
{
}

EDuplicateHandleErr::EDuplicateHandleErr()
    : std::runtime_error("DuplicateHandleMsg: \r\rDuplicateHandle(GetCurrentProcess(), FChildStdoutRd, "
                         "GetCurrentProcess(), @FChildStdoutRdDup, 0, False, DUPLICATE_SAME_ACCESS)")
{
}

ECreateChildProcessErr::ECreateChildProcessErr()
    : std::runtime_error("CreateChildProcessMsg: \r\rCreateChildProcess(ExeName, CommadLine, FChildStdoutWr)")
{
}

int pollSleepMs(int timeoutMs)
{
    if (timeoutMs <= 0) return 0;
    const int whole = timeoutMs / 10;
    const int tenths = timeoutMs % 10;
    if (tenths > 5 || (tenths == 5 && whole % 2 == 1)) return whole + 1;
    return whole;
}

std::vector<std::string> splitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < commandLine.size()) {
        const std::size_t start = commandLine.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = commandLine.find_first_of(" \t", start);
        if (end == std::string_view::npos) end = commandLine.size();
        words.emplace_back(commandLine.substr(start, end - start));
        pos = end;
    }
    return words;
}

namespace {

void closeFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool addStatusFlag(int fd, int flag)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | flag) == 0;
}

} // namespace

TChildProc::TChildProc(const std::string& ExeName)
{
    start(splitCommandLine(ExeName));
}

TChildProc::TChildProc(const std::vector<std::string>& argv)
{
    start(argv);
}

TChildProc::~TChildProc()
{
    // An engine normally ends at the end of its input; give it a moment.
    end(200);
}

void TChildProc::end(int exitGraceMs)
{
    closeAll();
    if (m_pid > 0 && !m_reaped) endProcessGroup(exitGraceMs, 200);
}

void TChildProc::closeAll()
{
    closeFd(FChildStdoutRd);
    closeFd(FChildStdoutWr);
    closeFd(FChildStdinRd);
    closeFd(FChildStdinWr);
}

void TChildProc::start(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv.front().empty()) throw ECreateChildProcessErr();

    // Every end is close-on-exec from birth: the child gets only the two ends
    // placed as its standard input and output, and nothing leaks into other
    // children the program may start.
    int out[2];
    int in[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw ECreatePipeErr();
    FChildStdoutRd = out[0];
    FChildStdoutWr = out[1];
    if (::pipe2(in, O_CLOEXEC) != 0) {
        closeAll();
        throw ECreatePipeErr();
    }
    FChildStdinRd = in[0];
    FChildStdinWr = in[1];
    // Our ends never block the window: reads take only what was announced,
    // and a child that stops reading makes a write fail instead of hang.
    if (!addStatusFlag(FChildStdoutRd, O_NONBLOCK) || !addStatusFlag(FChildStdinWr, O_NONBLOCK)) {
        closeAll();
        throw EDuplicateHandleErr();
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_adddup2(&actions, FChildStdinRd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, FChildStdoutWr, STDOUT_FILENO);
    // The child starts with SIGPIPE at its default and nothing blocked,
    // whatever this thread does while writing.
    sigset_t noSignals;
    sigset_t pipeSignal;
    sigemptyset(&noSignals);
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigmask(&attr, &noSignals);
    posix_spawnattr_setsigdefault(&attr, &pipeSignal);
    // A session of its own makes the child lead a process group that holds
    // everything it starts, so ending the group leaves nothing behind; and
    // no terminal the program was started from stops or interrupts it.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, args.front(), &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        closeAll();
        throw ECreateChildProcessErr();
    }
    m_pid = pid;
    // Only the child may hold its ends, or it would never see its input end
    // and we would never see its output end.
    closeFd(FChildStdinRd);
    closeFd(FChildStdoutWr);
}

bool TChildProc::WriteStdin(std::string_view text)
{
    if (FChildStdinWr < 0) return false;
    std::string line;
    try {
        line.reserve(text.size() + 2);
        line.append(text);
        line += "\r\n";
    } catch (const std::bad_alloc&) {
        return false;
    }

    // A child that has gone must not take the program with it: SIGPIPE is
    // held back for this write and a signal it raised is taken off again.
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigset_t pending;
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;

    ssize_t written;
    do {
        written = ::write(FChildStdinWr, line.data(), line.size());
    } while (written < 0 && errno == EINTR);

    if (written < 0 && errno == EPIPE && !wasPending) {
        const timespec zero{};
        while (sigtimedwait(&pipeSignal, nullptr, &zero) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return written == static_cast<ssize_t>(line.size());
}

int TChildProc::bytesWaiting() const
{
    int waiting = 0;
    if (::ioctl(FChildStdoutRd, FIONREAD, &waiting) != 0) return 0;
    return waiting;
}

bool TChildProc::childExited()
{
    if (m_exited) return true;
    if (m_pid <= 0) return false;
    // Not reaped yet: while it is a zombie its pid cannot be given to
    // another process, so signalling its group later hits only its own.
    siginfo_t info{};
    int r;
    do {
        r = ::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT);
    } while (r < 0 && errno == EINTR);
    if (r == 0 && info.si_pid == m_pid) {
        m_exited = true;
    } else if (r < 0 && errno == ECHILD) {
        // Somebody set SIGCHLD to be ignored, so the system reaped it.
        m_exited = m_reaped = true;
    }
    return m_exited;
}

void TChildProc::reap()
{
    if (m_reaped) return;
    while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_exited = m_reaped = true;
}

void TChildProc::endProcessGroup(int exitGraceMs, int termGraceMs)
{
    using Clock = std::chrono::steady_clock;
    const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(2)); };
    auto deadline = Clock::now() + std::chrono::milliseconds(exitGraceMs);
    while (!childExited() && Clock::now() < deadline)
        pause();

    // The group's id is the child's pid, still reserved here: the child is
    // alive or an unreaped zombie, and after reaping it the id stays taken
    // for as long as anything of the group lives.
    ::kill(-m_pid, SIGTERM);
    deadline = Clock::now() + std::chrono::milliseconds(termGraceMs);
    for (;;) {
        if (childExited()) reap();
        if (m_reaped && ::kill(-m_pid, 0) < 0 && errno == ESRCH) return;
        if (Clock::now() >= deadline) break;
        pause();
    }
    ::kill(-m_pid, SIGKILL);
    reap();
}

void TChildProc::ReadStdout(int timeoutMs, std::string& text)
{
    ReadStdout(timeoutMs, text, ReadHooks{});
}

void TChildProc::ReadStdout(int timeoutMs, std::string& text, const ReadHooks& hooks)
{
    using Clock = std::chrono::steady_clock;
    text.clear();
    if (FChildStdoutRd < 0 || m_outputEnded) return;
    const int sleepMs = pollSleepMs(timeoutMs);
    // While output keeps coming no poll finds the pipe empty; the caller
    // still hears from us this often.
    const auto idleEvery = std::chrono::milliseconds(std::max(sleepMs, 1));
    constexpr std::size_t idleEveryBytes = 64 * 1024;
    auto lastIdle = Clock::now();
    std::size_t readSinceIdle = 0;
    const auto callIdle = [&] {
        lastIdle = Clock::now();
        readSinceIdle = 0;
        return hooks.idle();
    };
    try {
        for (;;) {
            int waiting = 0;
            for (int poll = 0; poll < 10; ++poll) {
                waiting = bytesWaiting();
                if (waiting > 0) break;
                // The sleep wakes early when output arrives or the pipe is hung up.
                pollfd p{FChildStdoutRd, POLLIN, 0};
                const int ready = ::poll(&p, 1, sleepMs);
                if (ready > 0 && (p.revents & (POLLHUP | POLLERR)) != 0 && bytesWaiting() == 0) {
                    m_outputEnded = true;
                    return;
                }
                // After a quiet sleep, look for an exit that left the pipe open
                // (a grandchild holding it). Not on every poll: the exit check is a system call.
                // Whatever the child wrote before it exited is in the pipe by
                // now, so this second look at it is the last word.
                if (ready == 0 && childExited()) {
                    waiting = bytesWaiting();
                    if (waiting > 0) break;
                    m_outputEnded = true;
                    return;
                }
                if (hooks.idle && !callIdle()) return;
            }
            if (waiting <= 0) return;

            if (static_cast<std::size_t>(waiting) > m_buffer.size()) m_buffer.resize(static_cast<std::size_t>(waiting));
            const ssize_t n = ::read(FChildStdoutRd, m_buffer.data(), m_buffer.size());
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n == 0) {
                m_outputEnded = true;
                return;
            }
            if (n < 0) {
                text = "Read Err";
                return;
            }
            const std::string_view piece(m_buffer.data(), static_cast<std::size_t>(n));
            text.append(piece);
            if (hooks.received && hooks.received(piece)) return;
            readSinceIdle += piece.size();
            const bool idleDue = readSinceIdle >= idleEveryBytes || Clock::now() - lastIdle >= idleEvery;
            if (hooks.idle && idleDue && !callIdle()) return;
        }
    } catch (const std::bad_alloc&) {
        text = "Read Err";
    }
}

} // namespace zemra
