#include "TestScene.h"

#include <algorithm>
#include <cstring>

namespace {

// Dark and coloured, so a gray conversion or a channel swap both show.
constexpr std::uint8_t kObjectBgr[3] = {40, 24, 60};

}  // namespace

SceneRect TestSceneObject(std::uint64_t frameNumber, int width, int height) {
    const int objectWidth = std::max(1, width / 8);
    const int objectHeight = std::max(1, height / 4);
    // One crossing takes 64 frames at any size, always wholly inside the
    // picture, then starts again at the left edge.
    const auto step = static_cast<int>((frameNumber % 64) * static_cast<std::uint64_t>(width - objectWidth) / 63);
    return {step, height / 6, objectWidth, objectHeight};
}

void RenderTestSceneBackground(int width, int height, std::uint8_t* bgr, std::size_t stride) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bgr + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            // A left-to-right and top-to-bottom ramp with a fine checker
            // texture, so every flip or mirror changes the picture.
            const int texture = ((x / 4 + y / 4) & 1) * 12;
            row[3 * x + 0] = static_cast<std::uint8_t>(130 + 80 * x / width + texture);
            row[3 * x + 1] = static_cast<std::uint8_t>(150 + 60 * y / height + texture);
            row[3 * x + 2] = static_cast<std::uint8_t>(200 + 30 * x / width - texture);
        }
    }
}

void RenderTestScene(std::uint64_t frameNumber, int width, int height, std::uint8_t* bgr, std::size_t stride) {
    RenderTestSceneBackground(width, height, bgr, stride);
    DrawTestSceneObject(frameNumber, width, height, bgr, stride);
}

void DrawTestSceneObject(std::uint64_t frameNumber, int width, int height, std::uint8_t* bgr, std::size_t stride) {
    const SceneRect object = TestSceneObject(frameNumber, width, height);
    const int left = std::max(0, object.left);
    const int right = std::min(width, object.left + object.width);
    const int bottom = std::min(height, object.top + object.height);
    for (int y = object.top; y < bottom; ++y) {
        std::uint8_t* row = bgr + static_cast<std::size_t>(y) * stride;
        for (int x = left; x < right; ++x) std::memcpy(row + 3 * x, kObjectBgr, 3);
    }
}
