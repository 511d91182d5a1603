#pragma once

// The skin engine's library file, which the program carries and writes beside
// itself when it is missing.

#include <string>
#include <string_view>

extern const char* const kSkinEngineFileName;  // "SkinH_EL.dll"

// The library file built with the program.
std::string_view SkinEngineImage();

// ProgramDirectory() + "\SkinH_EL.dll".
std::string SkinEnginePath();

// Writes the carried library to the engine path and makes it hidden, unless a
// file of that name is already there: that one is used as it is, never compared
// or replaced.
void EnsureSkinEngine();
