#pragma once

// Handing a skin to the engine at start.

// The skin the program uses.
constexpr int kSkinInUse = 11;

// The engine's two functions, bound at their first call.
void SkinH_AttachRes(const void* data, int length, const char* text, int a, int b, int c);
void SkinH_SetAero(int enabled);

// Makes sure the engine file is there, then hands the engine a fresh copy of
// SkinTable entry number (no data for a number outside 1..33), released after.
void ApplySkin(int number);
