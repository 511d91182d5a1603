#include "platform/allocation.h"

#include <cstdint>
#include <cstdlib>

#include "platform/fatal_error.h"
#include "platform/platform.h"

namespace {

// Building and showing the box needs memory too; if that is refused as well the
// program ends without the box instead of recursing.
bool reportingRefusal = false;

[[noreturn]] void EndForRefusedAllocation(std::size_t bytes) {
    if (reportingRefusal) {
        EndProgram(-1);
    }
    struct Reporting {
        Reporting() { reportingRefusal = true; }
        ~Reporting() { reportingRefusal = false; }
    } reporting;
    EndWithFatalError(kNoErrorNumber, RefusedAllocationMessage(bytes));
}

}  // namespace

void* AllocateOrEnd(std::size_t bytes) {
    // No object may be larger than PTRDIFF_MAX bytes, so such a request is refused
    // before it reaches the allocator.
    void* block = bytes <= static_cast<std::size_t>(PTRDIFF_MAX)
                      ? std::malloc(bytes == 0 ? 1 : bytes)
                      : nullptr;
    if (block == nullptr) {
        EndForRefusedAllocation(bytes);
    }
    return block;
}
