#include "hosts/hosts_file.h"

#include "hosts/hosts_text.h"

FileNumber HeldHostsFile = 0;

std::string HostsPath() {
    return SystemDirectory() + "drivers\\etc\\hosts";
}

std::string HostsBackupPath() {
    return SystemDirectory() + "drivers\\etc\\hosts.bak";
}

namespace {

[[noreturn]] void EndWithError(const char* text) {
    ShowMessage(text, kMessageIconError);
    EndProgram(0);
}

}  // namespace

void LoadHostsAtStart() {
    const std::string path = HostsPath();
    HeldHostsFile = OpenForReading(path);
    if (HeldHostsFile == 0) {
        EndWithError("无法打开hosts");
    }
    // Carrying on with an empty text after a failed read would later write a hosts
    // file that holds nothing but our blocks.
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        EndWithError("无法打开hosts");
    }
    // Cutting the text at a NUL would lose everything after it on the next write.
    if (bytes.find('\0') != std::string::npos) {
        EndWithError("hosts文件含有空字节，无法安全修改");
    }
    HostsText = std::move(bytes);
}
