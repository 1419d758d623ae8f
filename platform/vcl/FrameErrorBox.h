#pragma once

#include "Exception.h"

#include <cstdint>
#include <functional>
#include <memory>

// Shows the errors of failed frame deliveries in a message box without
// letting them pile up: while its box is open no other opens, and the message
// shown last is not shown again until the success count has moved on. The
// box opens without blocking the caller. Copies share one state.
class FrameErrorBox {
public:
    // `successes` counts the deliveries that succeeded so far.
    explicit FrameErrorBox(std::function<std::uint64_t()> successes);

    void operator()(const Exception& error) const;

private:
    struct State;
    std::shared_ptr<State> state_;
};
