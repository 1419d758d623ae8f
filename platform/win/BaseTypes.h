#pragma once

#include <cstdint>

// Fixed-width integer names used by window and capture structures.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using DWORD_PTR = std::uintptr_t;
