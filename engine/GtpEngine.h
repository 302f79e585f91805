// One conversation with a GTP engine run as a child process: send a command,
// wait for its reply while the window keeps processing its events, and tell
// apart every way the wait can end.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zemra {

class TChildProc;

enum class ReplyStatus : std::uint8_t {
    Answered,   // a reply came that is not an error reply (its shape is the caller's to read)
    Refused,    // the engine answered with an error reply ("? ...")
    Exited,     // the engine exited, its output ended before a whole reply, or it takes no input; it is gone
    Silent,     // nothing within the silence limit and waiting was given up; the engine was stopped
    Unending,   // it talked without ending its reply: past the reply limit, or through the
                // silence limit with waiting given up; the engine was stopped
    Busy,       // another reply is being awaited; nothing was sent
    NotRunning, // no engine runs (never started, quit, or lost before); nothing was sent
};

struct GtpReply {
    ReplyStatus status = ReplyStatus::NotRunning;
    std::string text; // the raw reply, line ends included (may be partial for Exited)
};

// When a read of the engine's output counts as the whole reply.
enum class ReplyEnd : std::uint8_t {
    // At the reply's empty line, or after one quiet period for a reply that
    // never completes.
    BlankLine,
    // Only after one quiet period (the command's time-out) without output.
    QuietPeriod,
};

class GtpEngine {
public:
    // Processes the window's pending events; called about every tenth of a
    // command's time-out while a reply is awaited.
    using EventPump = std::function<void()>;
    // Asked once a reply has been awaited for the silence limit, whether the
    // engine is quiet or talks without ending its reply; true waits one more
    // limit, false gives up (the wait then returns Silent or Unending).
    using SilenceQuestion = std::function<bool()>;

    static constexpr std::chrono::milliseconds DefaultSilenceLimit = std::chrono::minutes(5);

    GtpEngine();
    // Closes the engine's pipes without "quit"; safe even inside a wait.
    ~GtpEngine();
    GtpEngine(const GtpEngine&) = delete;
    GtpEngine& operator=(const GtpEngine&) = delete;

    // Starts the engine (argv[0] the program), replacing one still running.
    // False when it could not be started; error then holds the child-process
    // exception's text and nothing runs.
    bool start(const std::vector<std::string>& argv, std::string& error);

    // Sends command and waits for its reply, reading with quiet periods of
    // timeoutMs (each command's own: gtp::replyTimeoutMs).
    GtpReply request(std::string_view command, int timeoutMs);

    // Sends "quit" and lets the engine go: pipes closed, its process group
    // ended, the process reaped. Inside a wait (from the event pump) the wait
    // ends at once with NotRunning.
    void quit();

    // An engine runs: started, and not quit, lost or given up since.
    bool running() const;
    // A request is waiting for its reply (hint and estimate must not send now).
    bool awaitingReply() const;

    void setEventPump(EventPump pump) { m_pump = std::move(pump); }
    void setSilenceQuestion(SilenceQuestion question) { m_question = std::move(question); }
    void setSilenceLimit(std::chrono::milliseconds limit) { m_silenceLimit = limit; }
    // The most one reply may hold (bytes); more ends the wait with Unending.
    void setReplyLimit(std::size_t bytes) { m_replyLimit = bytes; }
    void setReplyEnd(ReplyEnd end) { m_replyEnd = end; }

private:
    struct Conversation;

    std::shared_ptr<Conversation> m_conversation;
    EventPump m_pump;
    SilenceQuestion m_question;
    std::chrono::milliseconds m_silenceLimit = DefaultSilenceLimit;
    std::size_t m_replyLimit;
    ReplyEnd m_replyEnd = ReplyEnd::BlankLine;
};

} // namespace zemra
