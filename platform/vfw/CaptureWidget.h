#pragma once

#include "CaptureMessages.h"
#include "FramePipeline.h"
#include "VideoDrivers.h"
#include "VideoFormat.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <set>
#include <string>
#include <vector>

// A capture window: shows the live picture of its connected driver and
// answers the capture messages. Frames are taken from the pipeline on the
// user-interface thread at the preview rate; while a frame callback is held,
// each new frame is handed to it there.
class CaptureWidget : public QWidget {
    Q_OBJECT
public:
    explicit CaptureWidget(QWidget* parent);
    ~CaptureWidget() override;

    HWND Handle() const { return handle_; }
    // Answers one capture message; unknown messages get 0.
    LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam);
    // The reason painted instead of a picture; empty while frames arrive.
    QString Status() const { return status_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LRESULT Connect(WPARAM index);
    LRESULT Disconnect();
    LRESULT ShowFormatDialog();
    LRESULT WriteFormat(WPARAM size, LPARAM buffer) const;
    bool Reopen(const VideoFormat& format);
    void UpdateTimer();
    void Tick();
    void Stop(const QString& reason);
    void Log(const std::string& text);

    HWND handle_ = nullptr;
    std::unique_ptr<VideoDriver> driver_;
    std::unique_ptr<FramePipeline> pipeline_;
    VideoFormat format_;
    bool preview_ = false;
    bool overlay_ = false;
    bool scale_ = false;
    CAPVIDEOCALLBACK callback_ = nullptr;
    QTimer timer_;
    QImage picture_;
    std::vector<std::uint8_t> delivered_;
    QString status_;
    std::set<std::string> logged_;
};
