#include "TestScene.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> Render(std::uint64_t frame, int width, int height) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * 3 * height);
    RenderTestScene(frame, width, height, bytes.data(), static_cast<std::size_t>(width) * 3);
    return bytes;
}

int GrayAt(const std::vector<std::uint8_t>& bytes, int width, int x, int y) {
    const std::uint8_t* p = bytes.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    return (p[0] + p[1] + p[2]) / 3;
}

TEST(TestScene, SameFrameNumberGivesTheSamePictureAndTheBlockMovesRightAtASteadyPace) {
    EXPECT_EQ(Render(7, 160, 120), Render(7, 160, 120));
    EXPECT_NE(Render(7, 160, 120), Render(8, 160, 120));
    for (const int width : {160, 320, 640, 1280}) {
        const int height = width * 3 / 4;
        const SceneRect a = TestSceneObject(10, width, height);
        const SceneRect b = TestSceneObject(11, width, height);
        const SceneRect c = TestSceneObject(12, width, height);
        EXPECT_GT(b.left, a.left) << width;
        EXPECT_NEAR(c.left - b.left, b.left - a.left, 1) << width;
        EXPECT_EQ(a.top, b.top) << "the block moves along one band";
        EXPECT_LT(a.top + a.height, height / 2) << "and stays in the upper half";
    }
}

// Bright background, dark block, and no symmetry: brighter to the right, so
// a mirrored frame shows; the block lies above the middle, so an upside-down
// frame shows.
TEST(TestScene, BrightBackgroundDarkBlockAndNoSymmetry) {
    const int width = 320;
    const int height = 240;
    const std::uint64_t frame = 30;
    const std::vector<std::uint8_t> bytes = Render(frame, width, height);
    const SceneRect object = TestSceneObject(frame, width, height);
    ASSERT_GT(object.left, 0);
    ASSERT_LT(object.left + object.width, width);
    for (int y = 0; y < height; y += 7) {
        for (int x = 0; x < width; x += 5) {
            const bool inside = x >= object.left && x < object.left + object.width && y >= object.top &&
                                y < object.top + object.height;
            if (inside) {
                EXPECT_LT(GrayAt(bytes, width, x, y), 60) << x << "," << y;
            } else {
                EXPECT_GT(GrayAt(bytes, width, x, y), 140) << x << "," << y;
            }
        }
    }
    EXPECT_LT(GrayAt(bytes, width, 8, 200) + 15, GrayAt(bytes, width, 312, 200));
    const std::uint8_t* p = bytes.data() + (200 * width + 100) * 3;
    EXPECT_TRUE(p[0] != p[1] && p[1] != p[2] && p[0] != p[2]) << "colour, not gray";
}

}  // namespace
