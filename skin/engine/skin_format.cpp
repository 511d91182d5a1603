#include "skin/engine/skin_format.h"

namespace {

std::uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

constexpr unsigned char kMagic[] = {'.', 'S', 'H', 'E', 0};
constexpr unsigned char kVersion = 3;
constexpr std::uint32_t kSmallestDictionary = 1u << 12;
constexpr std::uint32_t kLargestDictionary = 1u << 30;

}  // namespace

bool ReadSkinHeader(const unsigned char* data, std::size_t size, SkinHeader& header) {
    // A header with nothing after it carries no LZMA data at all.
    if (data == nullptr || size <= kSkinHeaderSize) {
        return false;
    }
    for (std::size_t i = 0; i < sizeof kMagic; ++i) {
        if (data[i] != kMagic[i]) {
            return false;
        }
    }
    if (data[5] != kVersion) {
        return false;
    }
    const std::uint32_t bodyLength = LittleEndian32(data + 6);
    if (bodyLength == 0 || bodyLength > kLargestSkinBody) {
        return false;
    }
    // LZMA properties: one byte (pb * 5 + lp) * 9 + lc, then the dictionary size.
    const unsigned properties = data[10];
    if (properties >= 9 * 5 * 5) {
        return false;
    }
    const std::uint32_t dictionarySize = LittleEndian32(data + 11);
    if (dictionarySize < kSmallestDictionary || dictionarySize > kLargestDictionary) {
        return false;
    }
    header.bodyLength = bodyLength;
    header.dictionarySize = dictionarySize;
    header.literalContextBits = static_cast<int>(properties % 9);
    header.literalPositionBits = static_cast<int>(properties / 9 % 5);
    header.positionBits = static_cast<int>(properties / 45);
    return true;
}
