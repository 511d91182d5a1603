#pragma once

// Functions of a library that is loaded at the first call of one of them: from
// the program's directory first, then by its bare name through the system's
// search order. EndProgram releases the loaded libraries.

#include <cstdint>
#include <initializer_list>

struct LibraryFunction {
    const char* library;  // file name, such as "SkinH_EL.dll"
    const char* name;     // exported name
    void* address;        // kept after the first call; null until then
};

// Calls the function with 32-bit arguments pushed right to left, which the
// function removes itself (the standard Windows convention), and gives its
// result. Ends the program with a fatal error when the function cannot be bound
// or when the stack pointer after the call differs from the one before it.
std::uint32_t CallLibraryFunction(LibraryFunction& function,
                                  std::initializer_list<std::uintptr_t> arguments);
