#include <windows.h>

#include "skin/engine_file.h"

// The engine library is the program's RCDATA resource "SKINH_EL" (engine_image.rc).
std::string_view SkinEngineImage() {
    HRSRC resource = FindResourceW(nullptr, L"SKINH_EL", MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (resource == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(nullptr, resource));
}
