#include "CaptureWidget.h"

#include "FormatDialog.h"
#include "WidgetWindows.h"

#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {

// Results of capture messages that succeed or fail.
constexpr LRESULT kTrue = 1;
constexpr LRESULT kFalse = 0;

QImage::Format QtFormat(int bitCount) {
    switch (bitCount) {
        case 32:
            return QImage::Format_RGB32;
        case 16:
            return QImage::Format_RGB555;
        default:
            return QImage::Format_BGR888;
    }
}

void ReleaseHeldFrame(void* frame) { delete static_cast<HeldFrame*>(frame); }

}  // namespace

CaptureWidget::CaptureWidget(QWidget* parent) : QWidget(parent), status_("No camera connected") {
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &CaptureWidget::Tick);
    // The pipeline goes with the handle, so a destroyed window frees its
    // camera at once rather than when the widget is finally deleted.
    handle_ = AttachWindowHandle(
        this, [this](UINT message, WPARAM wParam, LPARAM lParam) { return Answer(message, wParam, lParam); },
        [this] {
            timer_.stop();
            picture_ = QImage();
            pipeline_.reset();
            driver_.reset();
        });
}

// Deleted with its parent, the window must still give up its handle and its
// camera while its members exist.
CaptureWidget::~CaptureWidget() { DestroyWindow(handle_); }

LRESULT CaptureWidget::Answer(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CAP_DRIVER_CONNECT:
            return Connect(wParam);
        case WM_CAP_DRIVER_DISCONNECT:
            return Disconnect();
        case WM_CAP_SET_PREVIEW:
            preview_ = wParam != 0;
            UpdateTimer();
            return kTrue;
        case WM_CAP_SET_OVERLAY:
            overlay_ = wParam != 0;
            UpdateTimer();
            return kTrue;
        case WM_CAP_SET_SCALE:
            scale_ = wParam != 0;
            update();
            return kTrue;
        case WM_CAP_SET_PREVIEWRATE:
            timer_.setInterval(static_cast<int>(std::clamp<WPARAM>(wParam, 1, 60000)));
            return kTrue;
        case WM_CAP_SET_CALLBACK_FRAME:
            callback_ = reinterpret_cast<CAPVIDEOCALLBACK>(lParam);
            return kTrue;
        case WM_CAP_GET_VIDEOFORMAT:
            return WriteFormat(wParam, lParam);
        case WM_CAP_DLG_VIDEOFORMAT:
            return ShowFormatDialog();
        default:
            return 0;
    }
}

LRESULT CaptureWidget::Connect(WPARAM index) {
    picture_ = QImage();
    pipeline_.reset();
    driver_.reset();
    update();
    if (!EnsureGStreamer()) {
        Stop("GStreamer cannot start");
        return kFalse;
    }
    // Listed anew at each connect, so a camera plugged in since the last
    // start is found.
    std::vector<std::unique_ptr<VideoDriver>> drivers = ListVideoDrivers();
    if (index >= drivers.size()) {
        Stop(drivers.empty() ? "No camera found" : QString("No camera number %1").arg(index));
        return kFalse;
    }
    driver_ = std::move(drivers[index]);
    format_ = VideoFormat{};
    if (!Reopen(format_)) {
        driver_.reset();
        return kFalse;
    }
    return kTrue;
}

bool CaptureWidget::Reopen(const VideoFormat& format) {
    // The picture may hold a buffer of the source's own pool, which must be
    // returned before the source stops.
    picture_ = QImage();
    pipeline_.reset();
    std::string error;
    pipeline_ = FramePipeline::Open(*driver_, format, error);
    if (!pipeline_) {
        Log("cannot open " + driver_->Name() + ": " + error);
        Stop("Camera unavailable: " + QString::fromStdString(error));
        return false;
    }
    format_ = format;
    status_ = "Waiting for the first frame";
    UpdateTimer();
    update();
    return true;
}

LRESULT CaptureWidget::Disconnect() {
    const bool connected = pipeline_ != nullptr;
    Stop("Camera off");
    driver_.reset();
    return connected ? kTrue : kFalse;
}

void CaptureWidget::Stop(const QString& reason) {
    timer_.stop();
    picture_ = QImage();
    pipeline_.reset();
    status_ = reason;
    update();
}

LRESULT CaptureWidget::WriteFormat(WPARAM size, LPARAM buffer) const {
    if (!driver_) return 0;
    const BITMAPINFOHEADER header = FormatHeader(format_);
    if (size == 0 || buffer == 0) return sizeof header;
    const std::size_t n = std::min<std::size_t>(size, sizeof header);
    std::memcpy(reinterpret_cast<void*>(buffer), &header, n);
    return static_cast<LRESULT>(n);
}

LRESULT CaptureWidget::ShowFormatDialog() {
    if (!driver_) return kFalse;
    const QPointer<CaptureWidget> self(this);
    const std::optional<VideoFormat> chosen = FormatDialog::Ask(driver_->Sizes(), format_, window());
    // The window may have been destroyed while the dialog ran its own loop.
    if (!self || !IsWindow(handle_) || !chosen || !driver_) return kFalse;
    if (*chosen != format_ || !pipeline_) Reopen(*chosen);
    return kTrue;
}

// The timer also runs with the preview off, so errors and the end of the
// source are noticed and the bus does not fill up.
void CaptureWidget::UpdateTimer() {
    if (pipeline_) {
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
    }
}

void CaptureWidget::Tick() {
    while (pipeline_) {
        const std::optional<FramePipeline::Event> event = pipeline_->NextEvent();
        if (!event) break;
        Log(event->text);
        if (event->kind == FramePipeline::Event::Error) Stop("Camera stopped: " + QString::fromStdString(event->text));
        if (event->kind == FramePipeline::Event::End) Stop("The video source ended");
    }
    if (!pipeline_) return;
    std::unique_ptr<HeldFrame> frame = pipeline_->TakeFrame();
    if (!preview_ && !overlay_) return;
    if (!frame) return;
    const VideoFormat format = frame->Format();
    const std::uint8_t* top = frame->Data();
    const std::size_t stride = frame->Stride();
    if (preview_ && callback_ != nullptr) {
        PackRowsBottomUp(top, stride, format, delivered_);
    }
    // The picture shows the frame's own memory, held until the next frame
    // replaces it; nothing is copied for the display.
    HeldFrame* held = frame.release();
    status_.clear();
    picture_ = QImage(top, format.size.width, format.size.height, static_cast<qsizetype>(stride),
                      QtFormat(format.bitCount), ReleaseHeldFrame, held);
    update();
    if (preview_ && callback_ != nullptr) {
        VIDEOHDR header;
        header.lpData = delivered_.data();
        header.dwBufferLength = static_cast<DWORD>(delivered_.size());
        header.dwBytesUsed = header.dwBufferLength;
        callback_(handle_, &header);
    }
}

void CaptureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        if (scale_ && picture_.size() != size()) {
            painter.fillRect(rect(), Qt::black);
            painter.drawImage(rect(), picture_);
        } else {
            painter.drawImage(0, 0, picture_);
            painter.fillRect(QRect(picture_.width(), 0, width() - picture_.width(), height()), Qt::black);
            painter.fillRect(QRect(0, picture_.height(), picture_.width(), height() - picture_.height()), Qt::black);
        }
        return;
    }
    painter.fillRect(rect(), Qt::black);
    painter.setPen(Qt::lightGray);
    // Centred in the part the parent lets show, which may be smaller than
    // the window.
    const QRect visible = visibleRegion().boundingRect().isEmpty() ? rect() : visibleRegion().boundingRect();
    painter.drawText(visible.adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, status_);
}

void CaptureWidget::Log(const std::string& text) {
    if (logged_.insert(text).second) std::cerr << "bgdiff: video: " << text << '\n';
}
