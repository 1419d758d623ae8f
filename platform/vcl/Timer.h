#pragma once

#include "Component.h"

#include <QObject>
#include <QTimer>

#include <string>

// A timer that runs OnTimer every Interval milliseconds while Enabled. It
// starts enabled, at 1000 ms, as soon as it exists.
class TTimer : public QObject, public TComponent {
public:
    // `owner` deletes the timer with itself; nullptr leaves that to the caller.
    explicit TTimer(QObject* owner);
    std::string ClassName() const override { return "TTimer"; }

    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetInterval(int milliseconds);
    void SetEnabled(bool enabled);

    // Whether ticks are coming: Enabled with an Interval above 0.
    bool Running() const { return timer_.isActive(); }

    TNotifyEvent OnTimer;

private:
    void Update();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = true;
};
