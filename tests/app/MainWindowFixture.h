#pragma once

#include "BackgroundDifference.h"
#include "CaptureControl.h"
#include "CaptureWindowCreation.h"
#include "FakeCaptureWindow.h"
#include "FrameDelivery.h"
#include "ImageBuffers.h"
#include "ImagingStartState.h"
#include "Unit1.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A 24-bit bitmap whose pixel x, y is gray with the value `gray(x, y)`.
inline TBitmap GrayBitmap(int width, int height, const std::function<int(int x, int y)>& gray) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const auto value = static_cast<std::uint8_t>(gray(x, y));
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
        }
    }
    return bitmap;
}

// What a view shows of a 24-bit bitmap: its pixels, top row first.
inline QImage ImageOf(const TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) image.setPixel(x, y, qRgb(p[2], p[1], p[0]));
    }
    return image;
}

inline bool SamePixels(const QImage& a, const QImage& b) {
    return a.size() == b.size() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// The program's global state as start-up leaves it, and a fresh Form1.
class MainWindowTestBase : public testing::Test {
protected:
    void SetUp() override {
        ResetImagingStartState();
        CaptureWindow = nullptr;
    }
    void MakeForm() {
        Form1 = new TForm1();
        form = Form1;
        form->Show();
    }
    void TearDown() override {
        delete form.data();
        Form1 = nullptr;
        CaptureWindow = nullptr;
        SetCaptureWindowFactory({});
        SetFrameErrorReporter({});
    }

    QPointer<TForm1> form;
};

// Form1 with capture windows that record every message they get.
class MainWindowTest : public MainWindowTestBase {
protected:
    void SetUp() override {
        MainWindowTestBase::SetUp();
        SetCaptureWindowFactory([this](const CaptureWindowRequest& request) -> HWND {
            requests.push_back(request);
            if (failCreation) return nullptr;
            windows.push_back(std::make_unique<FakeCaptureWindow>());
            return windows.back()->Handle();
        });
        MakeForm();
    }

    // Every message any capture window got, in order.
    std::vector<UINT> MessagesSent() const {
        std::vector<UINT> sent;
        for (const auto& window : windows) {
            for (const FakeCaptureWindow::Message& m : window->messages) sent.push_back(m.message);
        }
        return sent;
    }

    std::vector<CaptureWindowRequest> requests;
    std::vector<std::unique_ptr<FakeCaptureWindow>> windows;
    bool failCreation = false;
};
