// A write failing at any step leaves the old file or the new one and touches
// nothing else, not even files named as temporaries; a refusal says why.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

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
    // Left two hours ago, each with what is not this write's: a user's file, and files
    // named as temporaries: by a user, by a writer that ended, and under the names this
    // process's first write meets (no test before this one writes). The last three link to
    // the user's file where links can be made; under Wine a link looks like a plain file.
    const std::string notes = folder + "notes.txt",
                      mine = folder + "~qel" + std::to_string(getpid()),
                      links[] = {folder + "~qel2147483647-0.tmp", mine + "-0.tmp", mine + "-1.tmp"},
                      planted[] = {notes, folder + "~qel2147483647-my notes.tmp", links[0],
                                   links[1], links[2]};
    const char theirs[] = "not this write's";
    std::ofstream(notes) << theirs;
    std::error_code noLinks;
    for (const std::string& link : links)
        fs::create_symlink(notes, link, noLinks);
    for (const std::string& file : planted) {
        if (!fs::exists(file)) std::ofstream(file) << theirs;
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    const auto read = [](const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ASSERT_TRUE(WriteFileReplacing(path, "old", 3));
    for (int step = 0;; ++step) {
        FailWriteStep(step);
        const bool written = WriteFileReplacing(path, "new", 3);
        FailWriteStep(-1);
        ASSERT_TRUE(step > 0 || !written);
        EXPECT_EQ(read(path), written ? "new" : "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), std::ssize(planted) + 1)
            << step;
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
    for (const std::string& file : planted)
        EXPECT_EQ(read(file), theirs) << file;
    for (const std::string& link : links)
        fs::remove(link); // a link left here traps a later run under Wine, which removes its target
}

} // namespace
} // namespace qel
