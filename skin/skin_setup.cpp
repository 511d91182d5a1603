#include "skin/skin_setup.h"

#include <cstdint>
#include <string>

#include "platform/library.h"
#include "skin/engine_file.h"
#include "skin/skin_table.h"

namespace {

LibraryFunction attachRes{kSkinEngineFileName, "SkinH_AttachRes", nullptr};
LibraryFunction setAero{kSkinEngineFileName, "SkinH_SetAero", nullptr};

std::uintptr_t Word(const void* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

std::uintptr_t Word(int number) {
    return static_cast<std::uintptr_t>(static_cast<std::uint32_t>(number));
}

}  // namespace

// Results ignored: the engine's success changes nothing the program does.
void SkinH_AttachRes(const void* data, int length, const char* text, int a, int b, int c) {
    CallLibraryFunction(attachRes,
                        {Word(data), Word(length), Word(text), Word(a), Word(b), Word(c)});
}

void SkinH_SetAero(int enabled) {
    CallLibraryFunction(setAero, {Word(enabled)});
}

void ApplySkin(int number) {
    EnsureSkinEngine();
    std::string copy;
    const void* data = nullptr;
    if (number >= 1 && number <= kSkinCount) {
        copy.assign(SkinTable[number - 1]);
        data = copy.data();
    }
    SkinH_AttachRes(data, static_cast<int>(copy.size()), "", 0, 0, 0);
}
