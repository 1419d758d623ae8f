#include "BackgroundDifference.h"
#include "FrameDelivery.h"
#include "ImageBuffers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Records the global state as start-up left it, before the first test runs.
struct StartState : testing::Environment {
    void SetUp() override {
        buffersEmpty =
            FrameImage.Empty() && BackgroundImage.Empty() && CurrentImage.Empty() && ResultImage.Empty();
        const BITMAPINFOHEADER zero{};
        formatZero = std::memcmp(&FrameFormat, &zero, sizeof zero) == 0;
        threshold = Threshold;
    }
    static inline bool buffersEmpty = false;
    static inline bool formatZero = false;
    static inline int threshold = -1;
};

testing::Environment* const kStartState = testing::AddGlobalTestEnvironment(new StartState);

}  // namespace

TEST(StartState, BuffersAreEmptyFormatIsZeroAndThresholdIsZero) {
    EXPECT_TRUE(StartState::buffersEmpty);
    EXPECT_TRUE(StartState::formatZero);
    EXPECT_EQ(StartState::threshold, 0);
}
