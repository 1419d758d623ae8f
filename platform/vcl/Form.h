#pragma once

#include "Control.h"

#include <QSize>
#include <QWidget>

#include <string>

// A top-level window. Its bounds are those of the outer frame; the client
// area, where its controls lie, is the frame less the window manager's
// margins. Its font, inherited by its controls, is the platform's dialog
// font: sans-serif at 11 pixels, with Chinese-capable families first.
class TForm : public QWidget, public TWinControl {
    Q_OBJECT

public:
    TForm();
    std::string ClassName() const override { return "TForm"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;
    // Places the frame at left, top and gives it the outer size; the client
    // size follows once the frame's margins are known.
    void SetBounds(int left, int top, int width, int height) override;

    void Show();
    // Closes the window as its frame button does.
    void Close();

    // The component of this form with the given name, or nullptr.
    TComponent* FindComponent(const std::string& name) const;

signals:
    // The window has closed.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FitClientToFrame();

    QSize outerSize_;
    QSize fittedMargins_;
};
