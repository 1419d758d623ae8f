#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The built-in test scene: a bright, textured still background (brighter to
// the right and towards the bottom) with a dark block crossing it from left
// to right in the upper part at a steady pace, then again from the left.
// Each frame depends only on its number and size.
struct SceneRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kTestSceneFramesPerSecond = 10;

// Where the dark block is in frame `frameNumber`; always inside the picture.
SceneRect TestSceneObject(std::uint64_t frameNumber, int width, int height);

// Writes frame `frameNumber` as top-down rows of blue, green, red bytes.
void RenderTestScene(std::uint64_t frameNumber, int width, int height, std::uint8_t* bgr, std::size_t stride);

// Draws only the block of frame `frameNumber` over a background.
void DrawTestSceneObject(std::uint64_t frameNumber, int width, int height, std::uint8_t* bgr, std::size_t stride);

// The background alone, as RenderTestScene draws it behind the block.
void RenderTestSceneBackground(int width, int height, std::uint8_t* bgr, std::size_t stride);
