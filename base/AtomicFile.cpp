#include "base/AtomicFile.h"

#include <atomic>
#include <cstdint>

#ifdef _WIN32
#include "base/Handle.h"
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qel {
namespace {

std::atomic<uint32_t> g_serial{0};

// A name in the destination's folder that no other writer picks: the process
// and a per-process serial number.
std::string TemporaryName(const std::string& path, unsigned long process) {
    return path + ".~" + std::to_string(process) + "-" + std::to_string(g_serial++) + ".tmp";
}

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

} // namespace

#ifdef _WIN32

namespace {
std::string LastError(const char* step) {
    return std::string(step) + " failed (error " + std::to_string(GetLastError()) + ")";
}
} // namespace

bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error) {
    std::string temp;
    UniqueFile file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temp = TemporaryName(path, GetCurrentProcessId());
        file.reset(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (!file) return Fail(error, LastError("Creating the temporary file"));
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size), written = 0;
        if (!WriteFile(file.get(), bytes, chunk, &written, nullptr) || written == 0) {
            std::string what = LastError("Writing the temporary file");
            file.reset();
            DeleteFileA(temp.c_str());
            return Fail(error, what);
        }
        bytes += written;
        size -= written;
    }
    file.reset();
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        std::string what = LastError("Replacing the destination");
        DeleteFileA(temp.c_str());
        return Fail(error, what);
    }
    return true;
}

#else

namespace {
std::string LastError(const char* step) {
    return std::string(step) + ": " + strerror(errno);
}
} // namespace

bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error) {
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(path, static_cast<unsigned long>(getpid()));
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Fail(error, LastError("Creating the temporary file"));
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            std::string what = LastError("Writing the temporary file");
            close(fd);
            unlink(temp.c_str());
            return Fail(error, what);
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    if (close(fd) != 0) {
        std::string what = LastError("Closing the temporary file");
        unlink(temp.c_str());
        return Fail(error, what);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::string what = LastError("Replacing the destination");
        unlink(temp.c_str());
        return Fail(error, what);
    }
    return true;
}

#endif

} // namespace qel
