#include <windows.h>

#include <algorithm>
#include <map>

#include "platform/open_files_win32.h"
#include "platform/platform.h"
#include "platform/wide_text_win32.h"

namespace {

std::map<FileNumber, HANDLE> listedFiles;
FileNumber lastFileNumber = 0;

constexpr DWORD kChunk = 1u << 20;

FileNumber ListFile(HANDLE handle) {
    do {
        ++lastFileNumber;
    } while (lastFileNumber == 0 || listedFiles.count(lastFileNumber) != 0);
    listedFiles[lastFileNumber] = handle;
    return lastFileNumber;
}

bool Exists(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    // Only a search handle: nothing is lost if closing it fails.
    FindClose(search);
    return true;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return L".";
    }
    // "C:\x" lives in "C:\", not in "C:" (the drive's current folder).
    if (slash == 0 || (slash == 2 && path[1] == L':')) {
        return path.substr(0, slash + 1);
    }
    return path.substr(0, slash);
}

bool ReadAll(HANDLE file, std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD read = 0;
        // A file that shrank since its size was taken ends the loop as a failure.
        if (!ReadFile(file, &bytes[done], wanted, &read, nullptr) || read == 0) {
            return false;
        }
        done += read;
    }
    return true;
}

SystemError WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, wanted, &written, nullptr)) {
            return GetLastError();
        }
        if (written != wanted) {
            return ERROR_WRITE_FAULT;
        }
        done += written;
    }
    return 0;
}

// GetTempFileNameW creates the file empty, so the name stays ours until we move
// or remove it.
SystemError CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(FolderOf(target).c_str(), L"jyt", 0, name) == 0) {
        return GetLastError();
    }
    temporary = name;
    return 0;
}

void RemoveTemporary(const std::wstring& temporary) {
    // A copy may have brought a read-only bit along, which would block the delete.
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    // If this fails too, a stray temporary file is left; the target is unaffected.
    DeleteFileW(temporary.c_str());
}

SystemError FillTemporary(const std::wstring& temporary, const std::string& bytes) {
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    SystemError error = WriteAll(file, bytes);
    if (error == 0 && !FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == 0) {
        error = GetLastError();
    }
    return error;
}

// CopyFileW does not flush; a backup that is put in place must be on the disk.
SystemError FlushTemporary(const std::wstring& temporary) {
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    SystemError error = 0;
    if (!FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == 0) {
        error = GetLastError();
    }
    return error;
}

// Moves the finished temporary file onto target in one step. Replacing keeps the
// old file's security settings, which a rename onto it would drop.
SystemError PutInPlace(const std::wstring& target, const std::wstring& temporary) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // Windows refuses to replace a folder; Wine would move it aside instead.
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return ERROR_ACCESS_DENIED;
        }
        if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return 0;
        }
        const SystemError error = GetLastError();
        // Here the old file was moved aside but the new one not moved in; the name is
        // free, and the move below fills it rather than leaving no file at all.
        if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            return error;
        }
    }
    // Without MOVEFILE_REPLACE_EXISTING: a file that appeared meanwhile is kept.
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return GetLastError();
    }
    return 0;
}

// Fills a fresh temporary file beside target, then puts it in place in one step.
// Until that step succeeds the target keeps its old bytes; on any failure the
// temporary file is removed.
template <typename Fill>
SystemError ReplaceThroughTemporary(const std::wstring& target, Fill fill) {
    std::wstring temporary;
    if (SystemError error = CreateTemporaryBeside(target, temporary)) {
        return error;
    }
    SystemError error = fill(temporary);
    if (error == 0) {
        error = PutInPlace(target, temporary);
    }
    if (error != 0) {
        RemoveTemporary(temporary);
    }
    return error;
}

}  // namespace

void CloseEveryListedFile() {
    for (const auto& listed : listedFiles) {
        // Read handles only: a failed close at the end loses nothing.
        CloseHandle(listed.second);
    }
    listedFiles.clear();
}

bool PathExists(const std::string& path) {
    return Exists(Widen(path));
}

FileNumber OpenForReading(const std::string& path) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    return ListFile(file);
}

void CloseFile(FileNumber number) {
    const auto listed = listedFiles.find(number);
    if (listed == listedFiles.end()) {
        return;
    }
    // A read handle: a failed close loses nothing.
    CloseHandle(listed->second);
    listedFiles.erase(listed);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string content;
    LARGE_INTEGER size;
    bool complete = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
                    static_cast<unsigned long long>(size.QuadPart) <= content.max_size();
    if (complete) {
        content.resize(static_cast<std::size_t>(size.QuadPart));
        complete = ReadAll(file, content);
    }
    // A read handle: a failed close loses nothing.
    CloseHandle(file);
    if (complete) {
        bytes = std::move(content);
    }
    return complete;
}

SystemError WriteFileAtomically(const std::string& path, const std::string& bytes) {
    return ReplaceThroughTemporary(Widen(path), [&bytes](const std::wstring& temporary) {
        return FillTemporary(temporary, bytes);
    });
}

SystemError CopyFileAtomically(const std::string& from, const std::string& to) {
    const std::wstring source = Widen(from);
    return ReplaceThroughTemporary(Widen(to), [&source](const std::wstring& temporary) {
        if (!CopyFileW(source.c_str(), temporary.c_str(), FALSE)) {
            return static_cast<SystemError>(GetLastError());
        }
        return FlushTemporary(temporary);
    });
}

bool GetAttributes(const std::string& path, std::uint32_t& attributes) {
    const DWORD found = GetFileAttributesW(Widen(path).c_str());
    if (found == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    attributes = found;
    return true;
}

SystemError SetAttributes(const std::string& path, std::uint32_t attributes) {
    const DWORD passed =
        attributes & (kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive);
    if (!SetFileAttributesW(Widen(path).c_str(), passed == 0 ? FILE_ATTRIBUTE_NORMAL : passed)) {
        return GetLastError();
    }
    return 0;
}
