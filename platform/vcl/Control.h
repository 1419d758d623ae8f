#pragma once

#include "Component.h"
#include "WindowHandles.h"

class QWidget;

// A control: a component that is a Qt widget, placed in pixels relative to
// its parent's client area.
class TControl : public TComponent {
public:
    std::string ClassName() const override { return "TControl"; }

    virtual int Left() const;
    virtual int Top() const;
    virtual int Width() const;
    virtual int Height() const;
    virtual void SetBounds(int left, int top, int width, int height);
    bool Visible() const;

    QWidget& Widget() const { return widget_; }

protected:
    explicit TControl(QWidget& widget);

private:
    QWidget& widget_;
};

// A control with a window handle of its own, which takes part in the tab
// order of its parent and lies above every non-windowed sibling. The handle
// names the control until its widget is destroyed.
class TWinControl : public TControl {
public:
    std::string ClassName() const override { return "TWinControl"; }

    HWND Handle() const { return handle_; }

    // Position among the parent's windowed controls in the tab chain, from 0.
    int TabOrder() const { return tabOrder_; }
    // Moves the control to `order` in its parent's tab chain; the controls
    // from there on move one place back, as with an insertion into a list.
    void SetTabOrder(int order);

protected:
    // Appends the control to its parent's tab chain.
    explicit TWinControl(QWidget& widget);

private:
    HWND handle_ = nullptr;
    int tabOrder_ = 0;
};

// A control drawn on its parent without a window handle (label, image): it
// lies beneath every windowed sibling and takes no keyboard focus.
class TGraphicControl : public TControl {
public:
    std::string ClassName() const override { return "TGraphicControl"; }

protected:
    explicit TGraphicControl(QWidget& widget);
};
