#pragma once

// The 33 skins the program carries, in the engine's skin format; entry n of the
// table is SkinTable[n - 1].

#include <array>
#include <string_view>

constexpr int kSkinCount = 33;
extern const std::array<std::string_view, kSkinCount> SkinTable;
