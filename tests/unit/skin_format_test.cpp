#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/engine/skin_format.h"
#include "skin/skin_setup.h"
#include "skin/skin_table.h"

namespace {

std::string SkinFile(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "skin%02d.she", number);
    std::ifstream file(std::string(TEST_DATA_DIR) + "/../../../resources/skins/" + name,
                       std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// An exact-size heap copy, so the sanitizer sees any read past the end.
bool Accepts(const std::string& bytes, SkinHeader& header) {
    std::vector<unsigned char> exact(bytes.begin(), bytes.end());
    return ReadSkinHeader(exact.empty() ? nullptr : exact.data(), exact.size(), header);
}

TEST(SkinTable, EveryEntryIsItsSkinFileAndTheEngineTakesIt) {
    for (int number = 1; number <= kSkinCount; ++number) {
        const std::string_view entry = SkinTable[number - 1];
        EXPECT_EQ(entry, SkinFile(number)) << "entry " << number;
        SkinHeader header{};
        EXPECT_TRUE(Accepts(std::string(entry), header)) << "entry " << number;
    }
    EXPECT_EQ(SkinTable[kSkinInUse - 1].size(), 30738u);
}

TEST(SkinHeader, ReadsTheLzmaProperties) {
    const std::string skin(SkinTable[kSkinInUse - 1]);
    SkinHeader header{};
    ASSERT_TRUE(Accepts(skin, header));
    const auto byte = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(skin[i]));
    };
    EXPECT_EQ(header.bodyLength, byte(6) | byte(7) << 8 | byte(8) << 16 | byte(9) << 24);
    EXPECT_EQ(header.dictionarySize, 8u << 20);
    EXPECT_EQ(header.literalContextBits, 3);
    EXPECT_EQ(header.literalPositionBits, 0);
    EXPECT_EQ(header.positionBits, 2);
}

TEST(SkinHeader, RefusesWhatIsNotASkin) {
    const std::string good(SkinTable[kSkinInUse - 1]);
    const auto with = [&](std::size_t at, std::string bytes) {
        return good.substr(0, at) + bytes + good.substr(at + bytes.size());
    };
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::vector<Case> cases = {
        {"magic in lower case", with(0, ".she")},
        {"no NUL after the magic", with(4, " ")},
        {"version 2", with(5, "\x02")},
        {"version 4", with(5, "\x04")},
        {"empty body", with(6, std::string(4, '\0'))},
        {"body over the engine's limit", with(6, std::string("\x01\x00\x00\x04", 4))},
        {"properties byte out of range", with(10, "\xE1")},
        {"dictionary of 0", with(11, std::string(4, '\0'))},
        {"dictionary under 4 KiB", with(11, std::string("\xFF\x0F\x00\x00", 4))},
        {"dictionary over 1 GiB", with(11, std::string("\x01\x00\x00\x40", 4))},
        {"header without data", good.substr(0, kSkinHeaderSize)},
    };
    for (std::size_t size = 0; size < kSkinHeaderSize; ++size) {
        cases.push_back({"cut short", good.substr(0, size)});
    }
    for (const Case& c : cases) {
        SkinHeader header{};
        EXPECT_FALSE(Accepts(c.bytes, header)) << c.name << ", " << c.bytes.size() << " bytes";
    }
}

}  // namespace
