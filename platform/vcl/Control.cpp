#include "Control.h"

#include "WidgetWindows.h"

#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// The windowed children of `parent` other than `except`, in stacking order.
// `except` is compared as a widget before any cast, as it may still be under
// construction.
std::vector<TWinControl*> WindowedChildren(const QWidget* parent, const QWidget* except) {
    std::vector<TWinControl*> controls;
    if (parent == nullptr) return controls;
    for (QObject* child : parent->children()) {
        if (child == except) continue;
        if (auto* control = dynamic_cast<TWinControl*>(child)) controls.push_back(control);
    }
    return controls;
}

}  // namespace

TControl::TControl(QWidget& widget) : TComponent(widget), widget_(widget) {}

int TControl::Left() const { return widget_.x(); }
int TControl::Top() const { return widget_.y(); }
int TControl::Width() const { return widget_.width(); }
int TControl::Height() const { return widget_.height(); }

void TControl::SetBounds(int left, int top, int width, int height) { widget_.setGeometry(left, top, width, height); }

bool TControl::Visible() const { return widget_.isVisible(); }

TWinControl::TWinControl(QWidget& widget)
    : TControl(widget),
      handle_(AttachWindowHandle(&widget)),
      tabOrder_(static_cast<int>(WindowedChildren(widget.parentWidget(), &widget).size())) {}

void TWinControl::SetTabOrder(int order) {
    QWidget* parent = Widget().parentWidget();
    std::vector<TWinControl*> chain = WindowedChildren(parent, &Widget());
    std::stable_sort(chain.begin(), chain.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    const auto at = static_cast<std::size_t>(std::clamp(order, 0, static_cast<int>(chain.size())));
    chain.insert(chain.begin() + static_cast<std::ptrdiff_t>(at), this);
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        chain[i]->tabOrder_ = static_cast<int>(i);
        // Qt leaves controls that take no focus out of its tab chain and
        // ignores them when ordering it; linking one would break the chain.
        QWidget* widget = &chain[i]->Widget();
        if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

TGraphicControl::TGraphicControl(QWidget& widget) : TControl(widget) {
    widget.setFocusPolicy(Qt::NoFocus);
    // A new widget lies on top of its siblings; a graphic control belongs
    // beneath all windowed ones, yet above the graphic controls made before it.
    const std::vector<TWinControl*> windowed = WindowedChildren(widget.parentWidget(), &widget);
    if (!windowed.empty()) widget.stackUnder(&windowed.front()->Widget());
}
