// A write failing at any step leaves the old file or the new one, and no temporary.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qel {
namespace {

TEST(AtomicFile, AWriteFailingAtAnyStepLeavesTheOldFileAndNoTemporary) {
    const char* root = std::getenv("QEL_TEST_OUTPUT");
    std::string folder = std::string(root && *root ? root : "test-output") + "/atomic-file/";
#ifdef _WIN32
    if (folder[0] == '/') folder = "Z:" + folder;
#endif
    const std::string path = folder + std::string(250 - folder.size(), 'n'); // 250 characters
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteFileReplacing(path, "old", 3));
    std::ofstream(folder + "~qel2147483647-0.tmp") << "left by a writer that ended";
    for (int step = 0;; ++step) {
        FailWriteStep(step);
        const bool written = WriteFileReplacing(path, "new", 3);
        FailWriteStep(-1);
        ASSERT_TRUE(step > 0 || !written);
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), written ? "new" : "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << step;
        if (written) break;
    }
}

} // namespace
} // namespace qel
