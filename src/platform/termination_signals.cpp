#include "platform/termination_signals.h"

#include <cerrno>
#include <csignal>
#include <iterator>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace kelton {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe the handler writes to: [0] read by the event loop, [1] written by
// the handler. -1 while no instance exists.
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[std::size(kSignals)];
bool g_handled[std::size(kSignals)] = {};

// Async-signal-safe: one write, errno kept.
void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

CTerminationSignals::CTerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal))
{
    if (g_pipe[0] >= 0)
        return; // another instance has them
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CTerminationSignals::Received);

    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        g_handled[i] = ::sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 &&
                       !(kSignals[i] == SIGHUP && g_previous[i].sa_handler == SIG_IGN) &&
                       ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

CTerminationSignals::~CTerminationSignals()
{
    if (!m_notifier)
        return;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        if (std::exchange(g_handled[i], false))
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
    }
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void CTerminationSignals::Received()
{
    char bytes[64];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_onSignal)
        m_onSignal();
}

} // namespace kelton
