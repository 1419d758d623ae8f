#include "FormatDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPointer>

#include <algorithm>

FormatDialog::FormatDialog(const std::vector<FrameSize>& sizes, const VideoFormat& current, QWidget* parent)
    : QDialog(parent), sizes_(sizes), sizeBox_(new QComboBox(this)), depthBox_(new QComboBox(this)) {
    setWindowTitle("Video Format");
    sizeBox_->setObjectName("frameSize");
    depthBox_->setObjectName("depth");
    // The current size is offered even when the source does not list it,
    // so OK without a change keeps the format as it is.
    if (std::find(sizes_.begin(), sizes_.end(), current.size) == sizes_.end()) sizes_.push_back(current.size);
    for (const FrameSize size : sizes_) sizeBox_->addItem(QString::fromStdString(SizeLabel(size)));
    sizeBox_->setCurrentIndex(static_cast<int>(std::find(sizes_.begin(), sizes_.end(), current.size) - sizes_.begin()));
    for (const int depth : kDepths) {
        depthBox_->addItem(QString("%1 bits").arg(depth), depth);
        if (depth == current.bitCount) depthBox_->setCurrentIndex(depthBox_->count() - 1);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow("Frame size:", sizeBox_);
    layout->addRow("Depth:", depthBox_);
    layout->addRow(buttons);
}

VideoFormat FormatDialog::Chosen() const {
    return {sizes_.at(static_cast<std::size_t>(sizeBox_->currentIndex())), depthBox_->currentData().toInt()};
}

std::optional<VideoFormat> FormatDialog::Ask(const std::vector<FrameSize>& sizes, const VideoFormat& current,
                                             QWidget* parent) {
    // Guarded: the parent may be destroyed while the dialog's own loop runs,
    // and the dialog with it.
    QPointer<FormatDialog> dialog = new FormatDialog(sizes, current, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    const int result = dialog->exec();
    if (!dialog) return std::nullopt;
    const std::optional<VideoFormat> chosen =
        result == QDialog::Accepted ? std::optional<VideoFormat>(dialog->Chosen()) : std::nullopt;
    delete dialog;
    return chosen;
}
