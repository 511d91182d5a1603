#pragma once

// The engine's skin files: ".SHE", a NUL byte, version 3, the body's uncompressed
// length (32-bit little-endian), then a raw LZMA stream led by its 5-byte properties.

#include <cstddef>
#include <cstdint>

constexpr std::size_t kSkinHeaderSize = 15;
// Larger bodies are refused rather than trusted.
constexpr std::uint32_t kLargestSkinBody = 64u << 20;

struct SkinHeader {
    std::uint32_t bodyLength;
    std::uint32_t dictionarySize;
    int literalContextBits;
    int literalPositionBits;
    int positionBits;
};

// Reads the header of the size bytes at data; false when they are not a skin this
// engine takes. Never reads past size.
bool ReadSkinHeader(const unsigned char* data, std::size_t size, SkinHeader& header);
