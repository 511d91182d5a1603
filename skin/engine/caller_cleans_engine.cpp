#include <cstdint>

// Test build only: the engine's exports with the caller-cleans convention, so a
// call made the engine's way leaves the arguments on the stack.

extern "C" __declspec(dllexport) std::int32_t
    __cdecl SkinH_AttachRes(const void*, std::int32_t, const char*, std::int32_t, std::int32_t,
                            std::int32_t) {
    return 1;
}

extern "C" __declspec(dllexport) std::int32_t __cdecl SkinH_SetAero(std::int32_t) {
    return 1;
}
