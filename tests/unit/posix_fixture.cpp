#include "posix_fixture.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hosts/hosts_file.h"
#include "hosts/hosts_text.h"
#include "hosts/site_selection.h"

namespace {

std::array<bool, 17> boxStates{};

void MakeFolders(const std::string& path) {
    std::string partial;
    std::stringstream parts(path);
    std::string part;
    while (std::getline(parts, part, '/')) {
        partial += part + "/";
        mkdir(partial.c_str(), 0755);
    }
}

void RemoveTree(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                RemoveTree(path + "/" + name);
            }
        }
        closedir(dir);
        rmdir(path.c_str());
    } else {
        unlink(path.c_str());
    }
}

}  // namespace

void PosixFixture::SetUp() {
    char pattern[] = "/tmp/jingying-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    SetPosixRoot(root_);
    MakeFolders(EtcFolder());
    HostsText.clear();
    HeldHostsFile = 0;
    boxStates.fill(false);
    BindSiteBoxes(SiteBoxes{BoxChecked, SetBox});
}

void PosixFixture::TearDown() {
    RemoveTree(root_);
}

std::string PosixFixture::EtcFolder() const {
    return PosixPathOf(SystemDirectory() + "drivers\\etc");
}

std::string PosixFixture::HostsFilePath() const {
    return PosixPathOf(HostsPath());
}

std::string PosixFixture::BackupFilePath() const {
    return PosixPathOf(HostsBackupPath());
}

void PosixFixture::WriteFile(const std::string& posixPath, const std::string& bytes) {
    std::ofstream out(posixPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << posixPath;
}

std::string PosixFixture::ReadFile(const std::string& posixPath) const {
    std::ifstream in(posixPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool PosixFixture::FileExists(const std::string& posixPath) const {
    struct stat info;
    return stat(posixPath.c_str(), &info) == 0;
}

std::vector<std::string> PosixFixture::FilesInEtc() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(EtcFolder().c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::uint32_t PosixFixture::AttributesOf(const std::string& windowsPath) const {
    std::uint32_t attributes = 0xFFFFFFFF;
    GetAttributes(windowsPath, attributes);
    return attributes;
}

int PosixFixture::ExitCodeOf(void (*step)()) {
    try {
        step();
    } catch (const ProgramEnded& end) {
        return end.exitCode;
    }
    return kStillRunning;
}

void PosixFixture::StartWithHosts(const std::string& bytes) {
    WriteFile(HostsFilePath(), bytes);
    LoadHostsAtStart();
    SelectAllSites();
}

void PosixFixture::SetBox(int box, bool checked) {
    boxStates.at(box) = checked;
}

bool PosixFixture::BoxChecked(int box) {
    return boxStates.at(box);
}

void PosixFixture::ClickBox(int box) {
    boxStates.at(box) = !boxStates.at(box);
    ToggleSite(*SiteForBox(box));
}
