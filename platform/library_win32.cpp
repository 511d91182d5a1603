#include "platform/library.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/fatal_error.h"
#include "platform/platform.h"
#include "platform/wide_text_win32.h"

static_assert(sizeof(std::uintptr_t) == 4, "the call thunk pushes 32-bit words");

// In call_checked_i686.S: calls function with the arguments, stores its result and
// gives 1 when the stack pointer came back unchanged, else 0 after restoring it.
extern "C" int CallStdcallChecked(const void* function, const std::uintptr_t* arguments,
                                  std::uint32_t count, std::uint32_t* result);

namespace {

struct LoadedLibrary {
    std::string name;
    HMODULE module;
};

std::vector<LoadedLibrary> loadedLibraries;

void FreeLoadedLibraries() {
    for (auto library = loadedLibraries.rbegin(); library != loadedLibraries.rend(); ++library) {
        FreeLibrary(library->module);  // failure ignored: the process is ending
    }
    loadedLibraries.clear();
}

HMODULE LoadBesideProgramOrBySearch(const std::string& library) {
    HMODULE module = LoadLibraryW(Widen(ProgramDirectory() + "\\" + library).c_str());
    if (module == nullptr) {
        module = LoadLibraryW(Widen(library).c_str());
    }
    return module;
}

HMODULE BoundLibrary(const char* library) {
    for (const LoadedLibrary& loaded : loadedLibraries) {
        if (loaded.name == library) {
            return loaded.module;
        }
    }
    HMODULE module = LoadBesideProgramOrBySearch(library);
    if (module == nullptr) {
        return nullptr;
    }
    if (loadedLibraries.empty()) {
        AddEndStep(FreeLoadedLibraries);
    }
    loadedLibraries.push_back({library, module});
    return module;
}

void Bind(LibraryFunction& function) {
    HMODULE module = BoundLibrary(function.library);
    FARPROC address = module != nullptr ? GetProcAddress(module, function.name) : nullptr;
    if (address == nullptr) {
        EndWithFatalError(kNoErrorNumber, UnboundExportMessage(function.library, function.name));
    }
    function.address = reinterpret_cast<void*>(address);
}

}  // namespace

std::uint32_t CallLibraryFunction(LibraryFunction& function,
                                  std::initializer_list<std::uintptr_t> arguments) {
    if (function.address == nullptr) {
        Bind(function);
    }
    std::uint32_t result = 0;
    if (!CallStdcallChecked(function.address, arguments.begin(),
                            static_cast<std::uint32_t>(arguments.size()), &result)) {
        EndWithFatalError(kStackErrorNumber, kStackErrorMessage);
    }
    return result;
}
