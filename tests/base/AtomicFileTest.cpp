// Whatever step of a write fails, the destination holds the old bytes or the
// new ones, and no temporary file stays behind, even at the longest name.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qel {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, AWriteFailingAtAnyStepLeavesTheOldFileAndNoTemporary) {
    const char* root = std::getenv("QEL_TEST_OUTPUT");
    std::string folder = std::string(root && *root ? root : "test-output") + "/atomic-file/";
#ifdef _WIN32
    if (folder[0] == '/') folder = "Z:" + folder;
    const std::string name(250 - folder.size(), 'n'); // a path of 250 characters
#else
    const std::string name(250, 'n'); // a file name of 250 characters
#endif
    fs::remove_all(folder);
    fs::create_directories(folder);
    ASSERT_TRUE(WriteFileReplacing(folder + name, "old", 3));
    std::ofstream(folder + "~qel2147483647-0.tmp") << "left by a writer that ended";
    for (int step = 0;; ++step) {
        FailWriteStep(step);
        const bool written = WriteFileReplacing(folder + name, "new", 3);
        FailWriteStep(-1);
        ASSERT_TRUE(step > 0 || !written);
        std::ifstream in(folder + name, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), written ? "new" : "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << step;
        if (written) break;
    }
}

} // namespace
} // namespace qel
