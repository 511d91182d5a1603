#include "skin/engine/call_log.h"

void RecordAttachRes(const void*, std::int32_t, const char*, std::int32_t, std::int32_t,
                     std::int32_t, std::int32_t) {}

void RecordSetAero(std::int32_t, std::int32_t) {}
