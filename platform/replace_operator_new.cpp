#include <cstdlib>
#include <new>

#include "platform/allocation.h"

// Replaces the global allocation functions of the program (not of the native
// tests, whose sanitizer keeps its own). The deallocation functions are replaced
// with them, so every block goes back to the allocator it came from.

void* operator new(std::size_t bytes) {
    return AllocateOrEnd(bytes);
}

void* operator new[](std::size_t bytes) {
    return AllocateOrEnd(bytes);
}

// The nothrow forms keep their promise: a refusal gives null, not the fatal box.
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
