#pragma once

// What the engine notes about each call it receives. The engine that ships notes
// nothing; the recording build of the tests appends every call to a log file.

#include <cstdint>

void RecordAttachRes(const void* data, std::int32_t length, const char* text, std::int32_t a,
                     std::int32_t b, std::int32_t c, std::int32_t result);
void RecordSetAero(std::int32_t enabled, std::int32_t result);
