#include "base/AtomicFile.h"

#include <atomic>
#include <cstdint>

#ifdef _WIN32
#include "base/Handle.h"
#include "base/SystemPath.h"
#include "base/WideText.h"

#include <optional>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#endif

namespace qel {
namespace {

// Why a step failed, in words, for the errors a user can do something about.
constexpr char kAccessDenied[] = "access is denied", kNoFolder[] = "the folder does not exist",
               kDiskFull[] = "the disk is full", kInUse[] = "another program is using the file";

std::atomic<uint32_t> g_serial{0};
std::atomic<int> g_failingStep{-1};

std::string Failed(const char* step, const std::string& reason, long code) {
    return std::string(step) + " failed: " + reason + " (error " + std::to_string(code) + ")";
}

#ifdef _WIN32

constexpr char kSeparators[] = "\\/";

unsigned long ThisProcess() {
    return GetCurrentProcessId();
}

bool AlreadyExists() {
    return GetLastError() == ERROR_FILE_EXISTS;
}

// A read-only destination is not replaced (under Wine the rename would).
bool ReadOnly(const std::string& path) {
    const std::optional<std::wstring> name = SystemPath(path);
    const DWORD attributes = name ? GetFileAttributesW(name->c_str()) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void FailAsTheSystem() {
    SetLastError(ERROR_WRITE_FAULT);
}

std::string Reason(DWORD code) {
    switch (code) {
    case ERROR_ACCESS_DENIED:
        return kAccessDenied;
    case ERROR_PATH_NOT_FOUND:
        return kNoFolder;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kDiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return kInUse;
    }
    wchar_t text[256];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_MAX_WIDTH_MASK,
                                  nullptr, code, 0, text, 256, nullptr);
    while (length > 0 && (text[length - 1] == L' ' || text[length - 1] == L'.'))
        --length;
    return length > 0 ? Narrow(text, length) : "the system gave no reason";
}

std::string LastError(const char* step) {
    const DWORD code = GetLastError();
    return Failed(step, Reason(code), long(code));
}

// The temporary file being written. It stays open until it is renamed into
// place, shared for that rename alone, so that a failed write removes it
// through the handle that created it: never another file put under its name.
class Temporary {
public:
    bool Create(const std::string& path) {
        const std::optional<std::wstring> name = SystemPath(path);
        file_.reset(name ? CreateFileW(name->c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                       nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)
                         : INVALID_HANDLE_VALUE);
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
    void Discard() {
        FILE_DISPOSITION_INFO dispose{TRUE};
        SetFileInformationByHandle(file_.get(), FileDispositionInfo, &dispose, sizeof dispose);
        file_.reset();
    }

private:
    UniqueFile file_;
};

// The rename reaches the disk before it is reported done.
bool Replace(const std::string& temp, const std::string& path) {
    const std::optional<std::wstring> from = SystemPath(temp), to = SystemPath(path);
    return from && to &&
           MoveFileExW(from->c_str(), to->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

#else

constexpr char kSeparators[] = "/";

unsigned long ThisProcess() {
    return static_cast<unsigned long>(getpid());
}

std::string FolderOrCurrent(const std::string& folder) {
    return folder.empty() ? "." : folder;
}

bool AlreadyExists() {
    return errno == EEXIST;
}

// A destination that nobody may write to is not replaced (a rename would).
bool ReadOnly(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && !(status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}

void FailAsTheSystem() {
    errno = EIO;
}

std::string Reason(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
        return kAccessDenied;
    case ENOENT:
        return kNoFolder;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    case ETXTBSY:
        return kInUse;
    }
    return strerror(code);
}

std::string LastError(const char* step) {
    const int code = errno;
    return Failed(step, Reason(code), code);
}

class Temporary {
public:
    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() { Close(); }

    bool Create(const std::string& path) {
        fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        path_ = path;
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
    // Here a file is removed by name alone; that never follows a link, so at
    // worst a link put in the temporary's place goes.
    void Discard() {
        Close();
        unlink(path_.c_str());
    }

private:
    void Close() {
        if (fd_ >= 0) close(std::exchange(fd_, -1));
    }

    int fd_ = -1;
    std::string path_;
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
    return "~qel" + std::to_string(process) + "-" + std::to_string(serial) + ".tmp";
}

} // namespace

void FailWriteStep(int step) {
    g_failingStep = step;
}

bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error) {
    // A short name in the destination's folder: a destination whose name is as
    // long as the system allows still has a temporary.
    const std::string folder = path.substr(0, path.find_last_of(kSeparators) + 1);
    if (ReadOnly(path))
        return Fail(error, "Replacing the destination failed: the file is read-only");
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
        file.Discard();
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
    if (!step([&] { return Replace(temp, path); })) return abandon("Replacing the destination");
    return true;
}

} // namespace qel
