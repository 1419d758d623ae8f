#pragma once

#include "VideoFormat.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;

// The video format dialog: the frame size among those the source offers and
// the depth (24, 32 or 16 bits). The combo boxes are named "frameSize" and
// "depth", the button box "buttons".
class FormatDialog : public QDialog {
    Q_OBJECT
public:
    FormatDialog(const std::vector<FrameSize>& sizes, const VideoFormat& current, QWidget* parent);

    VideoFormat Chosen() const;

    // Shows the dialog modally; the chosen format on OK, nothing on Cancel.
    static std::optional<VideoFormat> Ask(const std::vector<FrameSize>& sizes, const VideoFormat& current,
                                          QWidget* parent);

private:
    std::vector<FrameSize> sizes_;
    QComboBox* sizeBox_;
    QComboBox* depthBox_;
};
