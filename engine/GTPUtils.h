// A console program run as a child process, its standard input and output
// connected through two pipes. It moves text lines in and raw bytes out and
// knows nothing of GTP.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zemra {

// Either of the two pipes could not be created.
class ECreatePipeErr : public std::runtime_error {
public:
    ECreatePipeErr();
};

// The program's own pipe ends could not be made private to it.
class EDuplicateHandleErr : public std::runtime_error {
public:
    EDuplicateHandleErr();
};

// The child program could not be started (missing, not executable, no words).
class ECreateChildProcessErr : public std::runtime_error {
public:
    ECreateChildProcessErr();
};

// The sleep between two polls of a read with time-out T: T / 10 rounded to the
// nearest whole millisecond, halves to even (5 -> 0, 15 -> 2, 25 -> 2).
int pollSleepMs(int timeoutMs);

// A command line split into words at blanks and tabs; no quoting, no shell.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

class TChildProc {
public:
    // Extra behaviour for one read, beyond the quiet-period rule.
    struct ReadHooks {
        // Given each piece as it is read (the text then ends with it); true
        // ends the read at once.
        std::function<bool(std::string_view piece)> received;
        // Called after every empty poll's sleep and, while output keeps
        // coming, at least once per poll sleep or 64 KiB read, so a caller's
        // window never waits on a child that talks; false ends the read at once.
        std::function<bool()> idle;
    };

    // Starts the command line split into words; the first word is the program,
    // found on PATH when it has no slash. Throws the three exceptions above.
    // The child leads a session and process group of its own.
    explicit TChildProc(const std::string& ExeName);
    // Starts argv[0] with these arguments as they are (blanks inside words kept).
    explicit TChildProc(const std::vector<std::string>& argv);
    // Closes both pipes and gives the child a moment to end on its own; then
    // its whole process group is ended (SIGTERM, SIGKILL after a short
    // grace) and the child reaped: no zombie, no stray engine, and nothing it
    // started stays behind.
    ~TChildProc();

    // What the destructor does, with exitGraceMs for the child to end on its
    // own before its group is signalled; the object then holds no child.
    void end(int exitGraceMs);

    TChildProc(const TChildProc&) = delete;
    TChildProc& operator=(const TChildProc&) = delete;

    // Writes text + CR LF in one write. False when not every byte went out,
    // also when the child is gone (never raises SIGPIPE) or its input is full.
    bool WriteStdin(std::string_view text);

    // Collects what the child prints until its output stays quiet for one
    // polling cycle (ten polls with sleeps of pollSleepMs(T)); empty when the
    // first cycle was quiet; exactly "Read Err" when reading failed. Returns at
    // once, with what was read, when the child's output ends or it exits.
    void ReadStdout(int timeoutMs, std::string& text);
    // The same read with the hooks above.
    void ReadStdout(int timeoutMs, std::string& text, const ReadHooks& hooks);

    // The child's standard output reached end of file.
    bool outputEnded() const { return m_outputEnded; }
    // The child process has exited. It is reaped only when this object goes,
    // so its process group can still be ended safely then.
    bool childExited();
    pid_t processId() const { return m_pid; }

private:
    void start(const std::vector<std::string>& argv);
    int bytesWaiting() const;
    void reap();
    void endProcessGroup(int exitGraceMs, int termGraceMs);
    void closeAll();

    int FChildStdoutRd = -1; // ours: reads the child's standard output
    int FChildStdoutWr = -1; // the child's; closed here once it runs
    int FChildStdinRd = -1;  // the child's; closed here once it runs
    int FChildStdinWr = -1;  // ours: writes the child's standard input
    pid_t m_pid = -1;
    bool m_exited = false;
    bool m_reaped = false;
    bool m_outputEnded = false;
    std::vector<char> m_buffer = std::vector<char>(1);
};

} // namespace zemra
