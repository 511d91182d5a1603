// remove_marked_lines FILE MARKER OUT: the marker removal on a whole file, for
// timing against grep.

#include <cstdio>
#include <fstream>
#include <string>

#include "hosts/hosts_text.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FILE MARKER OUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    in.seekg(0, std::ios::end);
    HostsText.resize(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(HostsText.data(), static_cast<std::streamsize>(HostsText.size()));
    RemoveMarkedLines(argv[2]);
    std::ofstream out(argv[3], std::ios::binary);
    out.write(HostsText.data(), static_cast<std::streamsize>(HostsText.size()));
    return out ? 0 : 1;
}
