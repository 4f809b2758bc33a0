#include "base/AtomicFile.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include "base/Handle.h"
#include "base/WideText.h"
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#endif

namespace qel {
namespace {

constexpr char kPrefix[] = "~qel", kSuffix[] = ".tmp";
// A temporary unchanged for this long belongs to no running write.
constexpr int64_t kStaleAfterSeconds = 3600;

std::atomic<uint32_t> g_serial{0};
std::atomic<int> g_failingStep{-1};

#ifdef _WIN32

constexpr char kSeparators[] = "\\/";

unsigned long ThisProcess() {
    return GetCurrentProcessId();
}

bool Ended(unsigned long process) {
    UniqueKernelObject handle(OpenProcess(SYNCHRONIZE, FALSE, process));
    return handle ? WaitForSingleObject(handle.get(), 0) == WAIT_OBJECT_0
                  : GetLastError() == ERROR_INVALID_PARAMETER;
}

// `path` as the wide API takes it: a path too long for the system's limit is
// made whole and gets the long-path prefix.
std::wstring SystemPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    if (wide.size() < MAX_PATH || wide.starts_with(L"\\\\?\\")) return wide;
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), DWORD(full.size()), full.data(), nullptr));
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC" + full.substr(1) : L"\\\\?\\" + full;
}

// The names in `folder` that look like temporaries of ours.
std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    UniqueFind found(FindFirstFileA((folder + kPrefix + "*" + kSuffix).c_str(), &entry));
    if (!found) return names;
    do
        names.push_back(entry.cFileName);
    while (FindNextFileA(found.get(), &entry));
    return names;
}

void Remove(const std::string& path) {
    DeleteFileW(SystemPath(path).c_str());
}

// Removes `path` when it is a plain file (no link, no folder, one name) that
// nobody wrote for kStaleAfterSeconds. The checks and the removal go through
// one handle that shares nothing, so the file cannot be swapped in between.
void RemoveIfStale(const std::string& path) {
    UniqueFile file(CreateFileW(SystemPath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        info.nNumberOfLinks != 1)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](FILETIME t) {
        return int64_t(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
    };
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (ticks(now) - ticks(info.ftLastWriteTime) >= kStaleAfterSeconds * 10'000'000)
        SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof dispose);
}

bool AlreadyExists() {
    return GetLastError() == ERROR_FILE_EXISTS;
}

// A read-only destination is not replaced (under Wine the rename would).
bool ReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

void FailAsTheSystem() {
    SetLastError(ERROR_WRITE_FAULT);
}

std::string LastError(const char* step) {
    return std::string(step) + " failed (error " + std::to_string(GetLastError()) + ")";
}

// The temporary file being written.
class Temporary {
public:
    bool Create(const std::string& path) {
        file_.reset(CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(file_);
    }
    bool Write(const char* bytes, size_t size, size_t& written) {
        DWORD done = 0;
        const bool ok = WriteFile(file_.get(), bytes, size > 0x40000000 ? 0x40000000 : DWORD(size),
                                  &done, nullptr) &&
                        done > 0;
        written = done;
        return ok;
    }
    bool Flush() { return FlushFileBuffers(file_.get()); }
    // Closes the file; false when the system reports that the close failed.
    bool Close() { return !file_ || CloseHandle(file_.release()); }

private:
    UniqueFile file_;
};

// The rename reaches the disk before it is reported done.
bool Replace(const std::string& temp, const std::string& path) {
    return MoveFileExW(SystemPath(temp).c_str(), SystemPath(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

#else

constexpr char kSeparators[] = "/";

unsigned long ThisProcess() {
    return static_cast<unsigned long>(getpid());
}

bool Ended(unsigned long process) {
    return process <= INT_MAX && kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

std::string FolderOrCurrent(const std::string& folder) {
    return folder.empty() ? "." : folder;
}

std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(FolderOrCurrent(folder).c_str()), closedir);
    if (dir)
        while (const dirent* entry = readdir(dir.get()))
            names.push_back(entry->d_name);
    return names;
}

void Remove(const std::string& path) {
    unlink(path.c_str());
}

// Removes `path` when it is a plain file of one name that nobody wrote for
// kStaleAfterSeconds (removing a link would not touch its target, but it is
// not ours either).
void RemoveIfStale(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1 &&
        int64_t(time(nullptr)) - int64_t(status.st_mtime) >= kStaleAfterSeconds)
        unlink(path.c_str());
}

bool AlreadyExists() {
    return errno == EEXIST;
}

// A destination that nobody may write to is not replaced (a rename would).
bool ReadOnly(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return false;
    errno = EACCES;
    return true;
}

void FailAsTheSystem() {
    errno = EIO;
}

std::string LastError(const char* step) {
    return std::string(step) + " failed: " + strerror(errno);
}

class Temporary {
public:
    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() { Close(); }

    bool Create(const std::string& path) {
        fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd_ >= 0;
    }
    bool Write(const char* bytes, size_t size, size_t& written) {
        ssize_t done;
        do
            done = write(fd_, bytes, size);
        while (done < 0 && errno == EINTR);
        written = done > 0 ? static_cast<size_t>(done) : 0;
        return done > 0;
    }
    bool Flush() { return fsync(fd_) == 0; }
    bool Close() { return fd_ < 0 || close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_ = -1;
};

// The rename reaches the disk with the folder's entries.
bool Replace(const std::string& temp, const std::string& path) {
    if (std::rename(temp.c_str(), path.c_str()) != 0) return false;
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    const int dir = open(FolderOrCurrent(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

#endif

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

std::string TemporaryName(unsigned long process, unsigned long serial) {
    return kPrefix + std::to_string(process) + "-" + std::to_string(serial) + kSuffix;
}

// The process that made the temporary `name`; 0 when `name` is not exactly
// one that TemporaryName gives.
unsigned long MakerOf(const std::string& name) {
    if (!name.starts_with(kPrefix)) return 0;
    char* end = nullptr;
    const unsigned long process = std::strtoul(name.c_str() + sizeof kPrefix - 1, &end, 10);
    const unsigned long serial = *end == '-' ? std::strtoul(end + 1, nullptr, 10) : 0;
    return name == TemporaryName(process, serial) ? process : 0;
}

} // namespace

void RemoveStaleTemporaries(const std::string& folder) {
    for (const std::string& name : Temporaries(folder)) {
        const unsigned long maker = MakerOf(name);
        if (maker != 0 && Ended(maker)) RemoveIfStale(folder + name);
    }
}

void FailWriteStep(int step) {
    g_failingStep = step;
}

bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error) {
    // A short name in the destination's folder: a destination whose name is as
    // long as the system allows still has a temporary.
    const std::string folder = path.substr(0, path.find_last_of(kSeparators) + 1);
    if (ReadOnly(path)) return Fail(error, LastError("Replacing the destination"));
    int steps = 0;
    auto step = [&](auto&& call) {
        if (steps++ != g_failingStep) return call();
        FailAsTheSystem();
        return false;
    };
    Temporary file;
    std::string temp;
    bool created = false;
    for (int attempt = 0; attempt < 100 && !created; ++attempt) {
        temp = folder + TemporaryName(ThisProcess(), g_serial++);
        created = step([&] { return file.Create(temp); });
        if (!created && !AlreadyExists()) break;
    }
    if (!created) return Fail(error, LastError("Creating the temporary file"));
    auto abandon = [&](const char* what) {
        const std::string text = LastError(what);
        file.Close();
        Remove(temp);
        return Fail(error, text);
    };
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        size_t written = 0;
        if (!step([&] { return file.Write(bytes, size, written); }))
            return abandon("Writing the temporary file");
        bytes += written;
        size -= written;
    }
    // The bytes are on the disk before the rename can make them the file.
    if (!step([&] { return file.Flush(); })) return abandon("Flushing the temporary file");
    const bool closed = file.Close();
    if (!step([&] { return closed; })) return abandon("Closing the temporary file");
    if (!step([&] { return Replace(temp, path); })) return abandon("Replacing the destination");
    return true;
}

} // namespace qel
