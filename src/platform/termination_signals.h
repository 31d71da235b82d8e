#pragma once

#include <functional>

#include <QObject>

class QSocketNotifier;

namespace kelton {

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C, the terminal
// closed) into a call on the event loop, so that the program can end the
// way it ends when the user closes it. A SIGHUP the program was started to
// ignore (nohup) stays ignored. The signal handler only writes a byte to a pipe; the event
// loop watches the pipe's other end and calls onSignal. One instance at a
// time; while none exists the signals have their default effect.
class CTerminationSignals : public QObject {
public:
    explicit CTerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~CTerminationSignals() override;
    CTerminationSignals(const CTerminationSignals&) = delete;
    CTerminationSignals& operator=(const CTerminationSignals&) = delete;

    // The handlers are in place.
    bool Installed() const { return m_notifier != nullptr; }

private:
    void Received();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kelton
