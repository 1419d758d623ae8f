#include "ScrollBar.h"

#include "EventDispatch.h"
#include "Exception.h"

#include <QKeyEvent>

#include <algorithm>
#include <string>

TScrollBar::TScrollBar(TWinControl* parent)
    : QScrollBar(Qt::Horizontal, parent ? &parent->Widget() : nullptr), TWinControl(static_cast<QWidget&>(*this)) {
    // A scroll bar of its own, not part of a scroll area: Tab reaches it.
    setFocusPolicy(Qt::StrongFocus);
    setSingleStep(1);
    setPageStep(1);
    ApplyRange(0);
    connect(this, &QScrollBar::valueChanged, this, [this] { DispatchEvent(OnChange, this); });
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min || max - min + 1 < pageSize_) {
        throw Exception("scroll bar range " + std::to_string(min) + " to " + std::to_string(max) +
                        " is invalid for a page of " + std::to_string(pageSize_));
    }
    min_ = min;
    max_ = max;
    ApplyRange(position);
}

void TScrollBar::SetPageSize(int pageSize) {
    if (pageSize < 0 || max_ - min_ + 1 < pageSize) {
        throw Exception("scroll bar page " + std::to_string(pageSize) + " does not fit the range " +
                        std::to_string(min_) + " to " + std::to_string(max_));
    }
    pageSize_ = pageSize;
    ApplyRange(Position());
}

void TScrollBar::ApplyRange(int position) {
    const int highest = max_ - std::max(pageSize_ - 1, 0);
    // Narrowing the range may move the position; OnChange sees that move too.
    setRange(min_, highest);
    setValue(std::clamp(position, min_, highest));
}

void TScrollBar::keyPressEvent(QKeyEvent* event) {
    // Qt inverts the controls of scroll bars for the mouse wheel's sake, which
    // also turns the arrow keys of a horizontal bar around.
    if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Left) {
        const bool towardsMax = (event->key() == Qt::Key_Right) != isRightToLeft();
        triggerAction(towardsMax ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}
