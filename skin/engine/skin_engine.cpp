#include <windows.h>

#include <cstdint>
#include <cstring>

#include "skin/engine/call_log.h"
#include "skin/engine/skin_format.h"

// Our skin engine: it takes a skin after checking its header and keeps its own
// copy of it, and keeps the Aero flag. It leaves the window's drawing to Windows.

namespace {

unsigned char* keptSkin = nullptr;
std::uint32_t keptSkinSize = 0;
SkinHeader keptHeader{};
std::int32_t aeroEnabled = 0;

void ReleaseKeptSkin() {
    if (keptSkin != nullptr) {
        HeapFree(GetProcessHeap(), 0, keptSkin);
    }
    keptSkin = nullptr;
    keptSkinSize = 0;
}

std::int32_t AttachSkin(const void* data, std::int32_t length) {
    if (length <= 0) {
        return 0;
    }
    SkinHeader header;
    if (!ReadSkinHeader(static_cast<const unsigned char*>(data), static_cast<std::size_t>(length),
                        header)) {
        return 0;  // the skin in use, if any, stays
    }
    void* copy = HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(length));
    if (copy == nullptr) {
        return 0;
    }
    std::memcpy(copy, data, static_cast<std::size_t>(length));
    ReleaseKeptSkin();
    keptSkin = static_cast<unsigned char*>(copy);
    keptSkinSize = static_cast<std::uint32_t>(length);
    keptHeader = header;
    return 1;
}

}  // namespace

// The text and the three numbers select skin options the program never uses.
extern "C" __declspec(dllexport) std::int32_t
    __stdcall SkinH_AttachRes(const void* data, std::int32_t length, const char* text,
                              std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::int32_t result = AttachSkin(data, length);
    RecordAttachRes(data, length, text, a, b, c, result);
    return result;
}

extern "C" __declspec(dllexport) std::int32_t __stdcall SkinH_SetAero(std::int32_t enabled) {
    aeroEnabled = enabled != 0 ? 1 : 0;
    RecordSetAero(enabled, 1);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // At process end the heap goes with the process; only an unload frees the copy.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        ReleaseKeptSkin();
    }
    return TRUE;
}
