#include "skin/engine_file.h"

#include "platform/platform.h"

const char* const kSkinEngineFileName = "SkinH_EL.dll";

std::string SkinEnginePath() {
    return ProgramDirectory() + "\\" + kSkinEngineFileName;
}

void EnsureSkinEngine() {
    const std::string path = SkinEnginePath();
    if (PathExists(path)) {
        return;
    }
    const std::string_view image = SkinEngineImage();
    // An empty file would stay there for good, as an existing file is never replaced.
    if (image.empty()) {
        return;
    }
    // Results not looked at: an engine that could not be written is reported when
    // its first function cannot be bound.
    WriteFileAtomically(path, std::string(image));
    SetAttributes(path, kAttributeHidden);
}
