// The platform services on POSIX, rooted in a folder a test chooses. Real files,
// real renames and fsync; the Windows rules that POSIX lacks (attributes, sharing
// modes, refused overwrites) are kept in this process's memory.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/posix_control.h"

const char* const kDefaultCaption = "信息：";
const SystemError kPosixAccessDenied = EACCES;
const SystemError kPosixSharingViolation = EBUSY;

namespace {

struct Handle {
    std::string path;  // POSIX path
    unsigned access;
    unsigned share;
};

struct Failure {
    SystemError error;
    int skip;
};

struct State {
    std::string root = "/nonexistent-posix-root";
    std::map<std::string, std::uint32_t> attributes;
    std::map<int, Handle> handles;  // ours and foreign ones
    std::map<FileNumber, int> listedFiles;
    int nextHandle = 1;
    FileNumber nextFileNumber = 1;
    unsigned tempCounter = 0;
    std::map<PosixService, Failure> failures;
    PosixStepHook stepHook = nullptr;
    std::vector<ShownMessage> messages;
    std::deque<int> answers;
    std::vector<std::string> webAddresses;
    int dnsFlushes = 0;
    std::vector<void (*)()> endSteps;
};

State state;

void Step(const char* name) {
    if (state.stepHook != nullptr) {
        state.stepHook(name);
    }
}

// Returns the error a test asked this call of the service to fail with, or 0.
SystemError InjectedFailure(PosixService service) {
    auto found = state.failures.find(service);
    if (found == state.failures.end()) {
        return 0;
    }
    if (found->second.skip > 0) {
        --found->second.skip;
        return 0;
    }
    const SystemError error = found->second.error;
    state.failures.erase(found);
    return error;
}

bool IsFile(const std::string& posixPath) {
    struct stat info;
    return stat(posixPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool Exists(const std::string& posixPath) {
    struct stat info;
    return stat(posixPath.c_str(), &info) == 0;
}

std::uint32_t AttributesOf(const std::string& posixPath) {
    auto found = state.attributes.find(posixPath);
    return found == state.attributes.end() ? 0 : found->second;
}

// Windows refuses an open whose access the open handles do not share, or whose
// sharing does not allow what the open handles already do.
bool SharingAllows(const std::string& posixPath, unsigned access, unsigned share) {
    for (const auto& entry : state.handles) {
        const Handle& other = entry.second;
        if (other.path != posixPath) {
            continue;
        }
        if ((access & ~other.share) != 0 || (other.access & ~share) != 0) {
            return false;
        }
    }
    return true;
}

int AddHandle(const std::string& posixPath, unsigned access, unsigned share) {
    const int handle = state.nextHandle++;
    state.handles[handle] = Handle{posixPath, access, share};
    return handle;
}

std::string FolderOf(const std::string& posixPath) {
    const std::size_t slash = posixPath.rfind('/');
    return slash == std::string::npos ? "." : posixPath.substr(0, slash);
}

bool ReadBytes(const std::string& posixPath, std::string& bytes) {
    const int fd = open(posixPath.c_str(), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0) {
            close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return true;
}

// CREATE_ALWAYS of a new temporary file beside target, with every byte checked as
// written and then flushed. On failure nothing of it is left.
SystemError WriteTemporary(const std::string& posixTarget, const std::string& bytes,
                           std::string& tempPath) {
    // A fresh name each time, as GetTempFileName gives, so a file left by an
    // earlier crash is never written into.
    int fd = -1;
    do {
        tempPath = FolderOf(posixTarget) + "/~jyt" + std::to_string(++state.tempCounter) + ".tmp";
        fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0) {
        return errno;
    }
    Step("create temporary");
    auto fail = [&](SystemError error) {
        close(fd);
        unlink(tempPath.c_str());
        state.attributes.erase(tempPath);
        Step("remove temporary");
        return error;
    };
    constexpr std::size_t kChunk = 4096;
    for (std::size_t done = 0; done < bytes.size();) {
        // An injected write failure strikes halfway, as a full disk would.
        if (done >= bytes.size() / 2) {
            if (SystemError error = InjectedFailure(PosixService::Write)) {
                return fail(error);
            }
        }
        const std::size_t size = std::min(kChunk, bytes.size() - done);
        const ssize_t written = write(fd, bytes.data() + done, size);
        if (written <= 0) {
            return fail(written < 0 ? errno : EIO);
        }
        done += static_cast<std::size_t>(written);
        Step("write temporary");
    }
    if (SystemError error = InjectedFailure(PosixService::Write)) {
        return fail(error);
    }
    if (SystemError error = InjectedFailure(PosixService::Flush)) {
        return fail(error);
    }
    if (fsync(fd) != 0) {
        return fail(errno);
    }
    Step("flush temporary");
    if (close(fd) != 0) {
        unlink(tempPath.c_str());
        return errno;
    }
    return 0;
}

// ReplaceFileW when target exists (target keeps its attributes), MoveFileExW when
// it does not. Windows refuses to replace a read-only file, a folder, or a file
// someone holds open without letting it be deleted.
SystemError PutInPlace(const std::string& tempPath, const std::string& posixTarget) {
    auto fail = [&](SystemError error) {
        unlink(tempPath.c_str());
        state.attributes.erase(tempPath);
        Step("remove temporary");
        return error;
    };
    if (SystemError error = InjectedFailure(PosixService::Replace)) {
        return fail(error);
    }
    const bool replacing = Exists(posixTarget);
    if (replacing) {
        if (!IsFile(posixTarget) || (AttributesOf(posixTarget) & kAttributeReadOnly) != 0) {
            return fail(kPosixAccessDenied);
        }
        if (!SharingAllows(posixTarget, kAccessDelete, kShareRead | kShareWrite | kShareDelete)) {
            return fail(kPosixSharingViolation);
        }
    }
    if (rename(tempPath.c_str(), posixTarget.c_str()) != 0) {
        return fail(errno);
    }
    if (!replacing) {
        state.attributes[posixTarget] = AttributesOf(tempPath);
    }
    state.attributes.erase(tempPath);
    Step("put in place");
    return 0;
}

}  // namespace

void SetPosixRoot(const std::string& root) {
    state = State{};
    state.root = root;
}

std::string PosixPathOf(const std::string& windowsPath) {
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (path.size() >= 2 && path[1] == ':') {
        path = path.substr(0, 1) + path.substr(2);
    }
    if (!path.empty() && path[0] == '/') {
        path.erase(0, 1);
    }
    return state.root + "/" + path;
}

void FailService(PosixService service, SystemError error, int skip) {
    state.failures[service] = Failure{error, skip};
}

void SetPosixStepHook(PosixStepHook hook) {
    state.stepHook = hook;
}

int OpenForeignHandle(const std::string& windowsPath, unsigned access, unsigned share) {
    return AddHandle(PosixPathOf(windowsPath), access, share);
}

void CloseForeignHandle(int handle) {
    state.handles.erase(handle);
}

std::size_t ListedFileCount() {
    return state.listedFiles.size();
}

const std::vector<ShownMessage>& ShownMessages() {
    return state.messages;
}

void QueueAnswer(int answer) {
    state.answers.push_back(answer);
}

std::vector<std::string> OpenedWebAddresses() {
    return state.webAddresses;
}

int DnsFlushCount() {
    return state.dnsFlushes;
}

std::string SystemDirectory() {
    return "C:\\Windows\\System32\\";
}

std::string ProgramDirectory() {
    return "C:\\Program";
}

void EnterProgramDirectory() {
    // Only relative paths would notice; the services all take full paths.
    (void)chdir(PosixPathOf(ProgramDirectory()).c_str());
}

bool PathExists(const std::string& path) {
    return Exists(PosixPathOf(path));
}

FileNumber OpenForReading(const std::string& path) {
    const std::string posixPath = PosixPathOf(path);
    if (InjectedFailure(PosixService::Open) != 0 || !IsFile(posixPath) ||
        !SharingAllows(posixPath, kAccessRead, kShareRead | kShareWrite)) {
        return 0;
    }
    const FileNumber number = state.nextFileNumber++;
    state.listedFiles[number] = AddHandle(posixPath, kAccessRead, kShareRead | kShareWrite);
    return number;
}

void CloseFile(FileNumber number) {
    auto found = state.listedFiles.find(number);
    if (found == state.listedFiles.end()) {
        return;
    }
    state.handles.erase(found->second);
    state.listedFiles.erase(found);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    const std::string posixPath = PosixPathOf(path);
    if (InjectedFailure(PosixService::Read) != 0 || !IsFile(posixPath) ||
        !SharingAllows(posixPath, kAccessRead, kShareRead)) {
        return false;
    }
    return ReadBytes(posixPath, bytes);
}

SystemError WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string posixPath = PosixPathOf(path);
    std::string tempPath;
    if (SystemError error = WriteTemporary(posixPath, bytes, tempPath)) {
        return error;
    }
    return PutInPlace(tempPath, posixPath);
}

SystemError CopyFileAtomically(const std::string& from, const std::string& to) {
    const std::string posixFrom = PosixPathOf(from);
    if (SystemError error = InjectedFailure(PosixService::Copy)) {
        return error;
    }
    if (!IsFile(posixFrom)) {
        return ENOENT;
    }
    if (!SharingAllows(posixFrom, kAccessRead, kShareRead | kShareDelete)) {
        return kPosixSharingViolation;
    }
    std::string bytes;
    if (!ReadBytes(posixFrom, bytes)) {
        return errno != 0 ? errno : EIO;
    }
    const std::string posixTo = PosixPathOf(to);
    std::string tempPath;
    if (SystemError error = WriteTemporary(posixTo, bytes, tempPath)) {
        return error;
    }
    // Like CopyFile, the copy takes the source's attributes.
    state.attributes[tempPath] = AttributesOf(posixFrom);
    return PutInPlace(tempPath, posixTo);
}

bool GetAttributes(const std::string& path, std::uint32_t& attributes) {
    const std::string posixPath = PosixPathOf(path);
    if (InjectedFailure(PosixService::GetAttributes) != 0 || !Exists(posixPath)) {
        return false;
    }
    attributes = AttributesOf(posixPath);
    return true;
}

SystemError SetAttributes(const std::string& path, std::uint32_t attributes) {
    const std::string posixPath = PosixPathOf(path);
    if (SystemError error = InjectedFailure(PosixService::SetAttributes)) {
        return error;
    }
    if (!Exists(posixPath)) {
        return ENOENT;
    }
    state.attributes[posixPath] = attributes & 0x27;
    Step("set attributes");
    return 0;
}

std::string SystemErrorText(SystemError error) {
    return std::strerror(static_cast<int>(error));
}

bool IsAccessDenied(SystemError error) {
    return error == EACCES || error == EPERM;
}

int ShowMessage(const std::string& text, unsigned style, const std::string& caption) {
    if ((style & kMessageSystemModal) == 0) {
        style |= kMessageTaskModal;
    }
    state.messages.push_back(ShownMessage{text, caption, style});
    if (state.answers.empty()) {
        return kAnswerOk;
    }
    const int answer = state.answers.front();
    state.answers.pop_front();
    return answer;
}

void OpenWebAddress(const std::string& address) {
    state.webAddresses.push_back(address);
}

void FlushDnsCache() {
    ++state.dnsFlushes;
}

void AddEndStep(void (*step)()) {
    state.endSteps.push_back(step);
}

void EndProgram(int exitCode) {
    while (!state.endSteps.empty()) {
        auto step = state.endSteps.back();
        state.endSteps.pop_back();
        step();
    }
    while (!state.listedFiles.empty()) {
        CloseFile(state.listedFiles.begin()->first);
    }
    throw ProgramEnded{exitCode};
}
