// A write failing at any step leaves the old file or the new one and touches
// nothing else, not even files named as temporaries; a refusal says why.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qel {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, AWriteFailingAtAnyStepLeavesTheOldFileAndTouchesNothingElse) {
    const char* root = std::getenv("QEL_TEST_OUTPUT");
    std::string folder = std::string(root && *root ? root : "test-output") + "/atomic-file/";
#ifdef _WIN32
    if (folder[0] == '/') folder = "Z:" + folder;
#endif
    std::filesystem::remove_all(folder);
    // So deep that the temporaries' paths pass the system's limit, the destination's not.
    folder = fs::absolute(folder).string();
    folder += std::string(248 - folder.size(), 'd') + "/";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "a.bmp";
    ASSERT_TRUE(WriteFileReplacing(path, "old", 3));
    // Left two hours ago: by a writer that ended (a link to a user's file where links can
    // be made; under Wine one looks like a plain file), this running one, and a user.
    const std::string notes = folder + "notes.txt", stale = folder + "~qel2147483647-0.tmp",
                      kept[] = {folder + "~qel" + std::to_string(getpid()) + "-0.tmp",
                                folder + "~qel2147483647-my notes.tmp"};
    std::ofstream(notes) << "the user's";
    std::error_code noLinks;
    fs::create_symlink(notes, stale, noLinks);
    for (const std::string& file : {notes, stale, kept[0], kept[1]}) {
        if (!fs::exists(file)) std::ofstream(file) << "not this write's";
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    for (int step = 0;; ++step) {
        FailWriteStep(step);
        const bool written = WriteFileReplacing(path, "new", 3);
        FailWriteStep(-1);
        ASSERT_TRUE(step > 0 || !written);
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), written ? "new" : "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 5) << step;
        if (written) break;
    }
    std::string why;
    for (const fs::perms readOnly : {fs::perms(0444), fs::perms::none}) {
        fs::permissions(path, readOnly);
        EXPECT_FALSE(WriteFileReplacing(path, "", 0, &why));
        EXPECT_NE(why.find("the file is read-only"), std::string::npos) << why;
        fs::permissions(path, fs::perms(0644));
    }
    EXPECT_EQ(fs::file_size(path), 3u);
    EXPECT_FALSE(WriteFileReplacing(folder + "none/a.bmp", "", 0, &why));
    EXPECT_NE(why.find("the folder does not exist"), std::string::npos) << why;
    fs::remove(stale); // a link left here traps a later run under Wine, which removes its target
}

} // namespace
} // namespace qel
