#include "MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MemoryStream, StartsEmptyAtPositionZero) {
    TMemoryStream stream;
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_EQ(stream.Position(), 0u);
    EXPECT_EQ(stream.Memory(), nullptr);
}

TEST(MemoryStream, SetSizeKeepsTheLeadingBytes) {
    TMemoryStream stream;
    const char text[] = "abcdef";
    stream.Write(text, 6);
    stream.SetSize(4);
    EXPECT_EQ(stream.Size(), 4u);
    EXPECT_EQ(stream.Position(), 4u) << "a position past the new end moves to the end";
    stream.SetSize(8);
    EXPECT_EQ(stream.Size(), 8u);
    EXPECT_EQ(std::memcmp(stream.Memory(), "abcd", 4), 0);
}

TEST(MemoryStream, WriteGrowsAndAdvancesReadStopsAtTheEnd) {
    TMemoryStream stream;
    stream.SetPosition(2);
    stream.Write("xy", 2);
    EXPECT_EQ(stream.Size(), 4u);
    EXPECT_EQ(stream.Position(), 4u);

    stream.SetPosition(1);
    char out[8] = {};
    EXPECT_EQ(stream.Read(out, sizeof out), 3u);
    EXPECT_EQ(std::memcmp(out, "\0xy", 3), 0);
    EXPECT_EQ(stream.Position(), 4u);
    EXPECT_EQ(stream.Read(out, 1), 0u);
}

TEST(MemoryStream, WritesThroughMemoryLandInTheStream) {
    TMemoryStream stream;
    stream.SetSize(3);
    std::memcpy(stream.Memory(), "BMx", 3);
    char out[3];
    stream.SetPosition(0);
    ASSERT_EQ(stream.Read(out, 3), 3u);
    EXPECT_EQ(std::memcmp(out, "BMx", 3), 0);
}
