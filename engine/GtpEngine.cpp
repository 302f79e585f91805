#include "engine/GtpEngine.h"

#include "engine/GTPUtils.h"
#include "engine/GtpProtocol.h"

namespace zemra {

// Shared with a running wait, so that quitting, starting again or destroying
// the session from inside the event pump never pulls the process out from
// under the read that is using it.
struct GtpEngine::Conversation {
    std::unique_ptr<TChildProc> proc;
    bool awaiting = false;
    bool stopped = false; // quit, replaced or destroyed: a running wait ends at once
};

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

GtpEngine::GtpEngine() : m_replyLimit(gtp::DefaultReplyLimit) {}

GtpEngine::~GtpEngine()
{
    if (m_conversation) m_conversation->stopped = true;
}

bool GtpEngine::start(const std::vector<std::string>& argv, std::string& error)
{
    quit();
    try {
        auto conversation = std::make_shared<Conversation>();
        conversation->proc = std::make_unique<TChildProc>(argv);
        m_conversation = std::move(conversation);
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

bool GtpEngine::running() const
{
    return m_conversation && m_conversation->proc && !m_conversation->stopped;
}

bool GtpEngine::awaitingReply() const
{
    return m_conversation && m_conversation->awaiting;
}

void GtpEngine::quit()
{
    const std::shared_ptr<Conversation> c = std::move(m_conversation);
    if (!c) return;
    if (c->proc && !c->stopped) c->proc->WriteStdin(gtp::Quit);
    c->stopped = true;
    // A running wait lets the process go itself once it has unwound.
    if (!c->awaiting) c->proc.reset();
}

GtpReply GtpEngine::request(std::string_view command, int timeoutMs)
{
    // Everything the wait needs is copied: the pump may destroy this object.
    const std::shared_ptr<Conversation> c = m_conversation;
    if (!c || !c->proc || c->stopped) return {ReplyStatus::NotRunning, {}};
    if (c->awaiting) return {ReplyStatus::Busy, {}};
    const EventPump pump = m_pump;
    const SilenceQuestion question = m_question;
    const auto silenceLimit = m_silenceLimit;
    const ReplyEnd replyEnd = m_replyEnd;

    TChildProc& proc = *c->proc;
    const auto lose = [&c](ReplyStatus status, std::string text) {
        c->awaiting = false;
        // An engine told to quit (given up for its silence, or the game ended
        // during the wait) gets a moment to end by itself; one that is gone or
        // broken is ended at once.
        const bool toldToQuit = status == ReplyStatus::Silent || status == ReplyStatus::NotRunning;
        c->proc->end(toldToQuit ? 200 : 0);
        c->proc.reset();
        return GtpReply{status, std::move(text)};
    };
    if (proc.outputEnded() || !proc.WriteStdin(command)) return lose(ReplyStatus::Exited, {});

    c->awaiting = true;
    auto waitingSince = Clock::now();
    bool gaveUp = false;
    // Each byte is looked at once however the reply is cut into reads.
    gtp::ReplyScanner scanner(m_replyLimit);
    TChildProc::ReadHooks hooks;
    hooks.received = [&scanner, replyEnd](std::string_view piece) {
        scanner.feed(piece);
        return scanner.tooLong() || (replyEnd == ReplyEnd::BlankLine && scanner.complete());
    };
    hooks.idle = [&] {
        if (pump) pump();
        if (c->stopped) return false;
        if (Clock::now() - waitingSince < silenceLimit) return true;
        if (question && question()) {
            waitingSince = Clock::now();
            return !c->stopped;
        }
        gaveUp = true;
        return false;
    };

    std::string text;
    for (;;) {
        proc.ReadStdout(timeoutMs, text, hooks);
        if (c->stopped) return lose(ReplyStatus::NotRunning, {});
        if (scanner.tooLong() || gaveUp) {
            // The engine is not asked again: a silent one is told to quit and
            // given its moment, one that talks without end is ended at once.
            const ReplyStatus status = text.empty() ? ReplyStatus::Silent : ReplyStatus::Unending;
            if (status == ReplyStatus::Silent) proc.WriteStdin(gtp::Quit);
            return lose(status, std::move(text));
        }
        if (!text.empty()) {
            if (proc.outputEnded() && !scanner.complete()) return lose(ReplyStatus::Exited, std::move(text));
            c->awaiting = false;
            const ReplyStatus status = gtp::isErrorReply(text) ? ReplyStatus::Refused : ReplyStatus::Answered;
            return {status, std::move(text)};
        }
        if (proc.outputEnded() || proc.childExited()) return lose(ReplyStatus::Exited, {});
    }
}

} // namespace zemra
