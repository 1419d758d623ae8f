#include "FrameErrorBox.h"

#include "ErrorBox.h"

#include <QMessageBox>
#include <QPointer>

#include <optional>
#include <string>

struct FrameErrorBox::State {
    std::function<std::uint64_t()> successes;
    QPointer<QMessageBox> box;
    std::optional<std::string> lastMessage;
    std::uint64_t successesAtLast = 0;
};

FrameErrorBox::FrameErrorBox(std::function<std::uint64_t()> successes) : state_(std::make_shared<State>()) {
    state_->successes = std::move(successes);
}

void FrameErrorBox::operator()(const Exception& error) const {
    State& state = *state_;
    // A closed box may wait a moment for its deletion; only a visible one counts.
    if (state.box && state.box->isVisible()) return;
    const std::uint64_t successes = state.successes ? state.successes() : 0;
    // A format that cannot be loaded fails again at every grab; the user
    // hears of it once, and again only after frames worked in between.
    if (state.lastMessage == error.Message() && successes == state.successesAtLast) return;
    state.lastMessage = error.Message();
    state.successesAtLast = successes;
    state.box = OpenErrorBox(error.Message());
}
