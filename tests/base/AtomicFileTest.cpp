// A write failing at any step leaves the old file or the new one and touches
// nothing else; only the program's own stale temporaries are ever cleared.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include "base/Handle.h"

#include <tlhelp32.h>
#else
#include <unistd.h>
#endif

namespace qel {
namespace {

namespace fs = std::filesystem;

std::string Folder(const char* name) {
    const char* root = std::getenv("QEL_TEST_OUTPUT");
    std::string folder = std::string(root && *root ? root : "test-output") + "/" + name + "/";
#ifdef _WIN32
    if (folder[0] == '/') folder = "Z:" + folder;
#endif
    folder = fs::absolute(folder).string();
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A file last written two hours ago.
void Plant(const std::string& path) {
    std::ofstream(path) << "not this write's";
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(2));
}

// A process that runs while the test does, not this one.
unsigned long RunningProcess() {
#ifdef _WIN32
    UniqueKernelObject snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry))
        if (entry.th32ProcessID != 0 && entry.th32ProcessID != GetCurrentProcessId()) break;
    return entry.th32ProcessID;
#else
    return static_cast<unsigned long>(getppid());
#endif
}

TEST(AtomicFile, AWriteFailingAtAnyStepLeavesTheOldFileAndTouchesNothingElse) {
    // A deep folder whose temporaries' paths pass the system's limit where the
    // destination's does not.
    std::string folder = Folder("atomic-file");
    folder += std::string(247 - folder.size(), 'd') + "/";
    fs::create_directories(folder);
    const std::string path = folder + "a.bmp";
    ASSERT_TRUE(WriteFileReplacing(path, "old", 3));
    Plant(folder + "~qel2147483647-0.tmp"); // a stale temporary of a writer that ended...
    Plant(folder + "~qel2147483647-my notes.tmp"); // ...and a user's file much like one
    for (int step = 0;; ++step) {
        FailWriteStep(step);
        const bool written = WriteFileReplacing(path, "new", 3);
        FailWriteStep(-1);
        ASSERT_TRUE(step > 0 || !written);
        EXPECT_EQ(Read(path), written ? "new" : "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 3) << step;
        if (written) break;
    }
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string error;
    EXPECT_FALSE(WriteFileReplacing(path, "read-only", 9, &error));
    EXPECT_EQ(Read(path), "new") << error;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

TEST(AtomicFile, OnlyTemporariesOfEndedWritersUnchangedForAnHourAreCleared) {
    const std::string folder = Folder("stale-temporaries");
    const std::string running = "~qel" + std::to_string(RunningProcess()) + "-0.tmp";
    for (const std::string& name : {std::string("~qel2147483647-0.tmp"), running,
                                    std::string("~qel2147483647-my notes.tmp")})
        Plant(folder + name);
    std::ofstream(folder + "~qel2147483647-1.tmp") << "written a moment ago";
    RemoveStaleTemporaries(folder);
    EXPECT_FALSE(fs::exists(folder + "~qel2147483647-0.tmp"));
    EXPECT_TRUE(fs::exists(folder + running));
    EXPECT_TRUE(fs::exists(folder + "~qel2147483647-my notes.tmp"));
    EXPECT_TRUE(fs::exists(folder + "~qel2147483647-1.tmp"));
}

} // namespace
} // namespace qel
