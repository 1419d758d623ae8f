#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

// SIGTERM and SIGINT as events: the signal handler only notes the signal, and
// the event loop acts on it.

// Installs the handlers of SIGTERM and SIGINT, again after a restore. Safe to
// call more than once.
void InstallTerminationSignals();
// Gives SIGTERM and SIGINT back their default action, ending the process.
void RestoreTerminationSignals();

// While a watch exists, each noted signal, also one noted before the watch
// began, runs `action` in the event loop. Does nothing when the handlers were
// never installed.
class TerminationWatch {
public:
    explicit TerminationWatch(std::function<void()> action);
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};
