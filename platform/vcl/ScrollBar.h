#pragma once

#include "Control.h"

#include <QScrollBar>

#include <string>

// A horizontal scroll bar. Position runs from Min to Max, or to
// Max - PageSize + 1 when PageSize is above 0. OnChange runs whenever
// Position changes, by the user or by code. It takes the focus by Tab or a
// click; the right arrow key moves it towards Max.
class TScrollBar : public QScrollBar, public TWinControl {
public:
    explicit TScrollBar(TWinControl* parent);
    std::string ClassName() const override { return "TScrollBar"; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return value(); }
    int PageSize() const { return pageSize_; }
    int SmallChange() const { return singleStep(); }
    int LargeChange() const { return pageStep(); }

    // A position outside the range is moved to its nearest end.
    void SetPosition(int position) { setValue(position); }
    // Sets the range and position at once; raises Exception when `max` is
    // below `min` or the page does not fit the range.
    void SetParams(int position, int min, int max);
    void SetMin(int min) { SetParams(Position(), min, max_); }
    void SetMax(int max) { SetParams(Position(), min_, max); }
    void SetPageSize(int pageSize);
    void SetSmallChange(int change) { setSingleStep(change); }
    void SetLargeChange(int change) { setPageStep(change); }

    TNotifyEvent OnChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyRange(int position);

    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
};
