#pragma once

// The program's operator new and new[] take their memory here, so a refused
// request ends the program with a fatal error that names the requested size.

#include <cstddef>

// Never returns null; a refused request is fatal.
void* AllocateOrEnd(std::size_t bytes);
