#include "skin/skin_table.h"

#include <cstdint>

// The skin files are assembled into the program as they are, behind a table of
// their offsets; SKIN_DIRECTORY is their folder, given by the build.

// clang-format off
#define SKIN_NUMBERS(X) \
    X(01) X(02) X(03) X(04) X(05) X(06) X(07) X(08) X(09) X(10) X(11) \
    X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21) X(22) \
    X(23) X(24) X(25) X(26) X(27) X(28) X(29) X(30) X(31) X(32) X(33)
// clang-format on

#define SKIN_OFFSET(number) ".long jingying_skin_" #number " - jingying_skin_bytes\n"
#define SKIN_FILE(number) \
    "jingying_skin_" #number ":\n.incbin \"" SKIN_DIRECTORY "/skin" #number ".she\"\n"

#ifdef _WIN32
#define READ_ONLY_SECTION ".section .rdata,\"dr\"\n"
#else
#define READ_ONLY_SECTION ".section .rodata,\"a\"\n"
#endif

__asm__(READ_ONLY_SECTION
        ".balign 4\n"
        "jingying_skin_offsets:\n" SKIN_NUMBERS(SKIN_OFFSET)
        ".long jingying_skin_end - jingying_skin_bytes\n"
        "jingying_skin_bytes:\n" SKIN_NUMBERS(SKIN_FILE)
        "jingying_skin_end:\n"
        ".text\n");

extern const std::uint32_t skinOffsets[kSkinCount + 1] __asm__("jingying_skin_offsets");
extern const char skinBytes[] __asm__("jingying_skin_bytes");

const std::array<std::string_view, kSkinCount> SkinTable = [] {
    std::array<std::string_view, kSkinCount> table;
    for (int i = 0; i < kSkinCount; ++i) {
        table[i] =
            std::string_view(skinBytes + skinOffsets[i], skinOffsets[i + 1] - skinOffsets[i]);
    }
    return table;
}();
