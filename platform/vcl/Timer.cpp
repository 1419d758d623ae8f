#include "Timer.h"

#include "EventDispatch.h"

TTimer::TTimer(QObject* owner) : QObject(owner), TComponent(static_cast<QObject&>(*this)) {
    connect(&timer_, &QTimer::timeout, this, [this] { DispatchEvent(OnTimer, this); });
    Update();
}

void TTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TTimer::Update() {
    if (enabled_ && interval_ > 0) {
        // start() restarts the count, as a changed interval or a re-enabled
        // timer should.
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}
