#include "TerminationSignals.h"

#include "Exception.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// The self-pipe: the handler writes a byte, the event loop reads it. Only
// async-signal-safe calls happen in the handler.
int pipeEnds[2] = {-1, -1};

extern "C" void NoteSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a noted signal; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void InstallTerminationSignals() {
    // The pipe is made once; the handlers again each time, as a finished
    // event loop gave the signals back their default action.
    if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw Exception(std::string("cannot watch for termination signals: ") + std::strerror(errno));
    }
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void RestoreTerminationSignals() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

TerminationWatch::TerminationWatch(std::function<void()> action) {
    if (pipeEnds[0] < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [action = std::move(action)] {
        char bytes[16];
        ssize_t count = 0;
        while ((count = read(pipeEnds[0], bytes, sizeof bytes)) > 0) {
            for (ssize_t i = 0; i < count; ++i) action();
        }
    });
}

TerminationWatch::~TerminationWatch() = default;
