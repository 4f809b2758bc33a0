#include "base/FileHelpers.h"
#include "base/Handle.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qel {
namespace {

std::string CurrentFolder() {
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, n);
}

// A fresh folder under the temporary folder, removed with everything made in it.
class FileHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "qel_files_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    }
    void TearDown() override { Remove(root_); }

    std::string Path(const std::string& name) const { return root_ + "\\" + name; }
    void MakeFile(const std::string& path) {
        UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
    }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA entry;
        if (UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &entry)); find) {
            std::vector<std::string> names;
            do
                names.push_back(entry.cFileName);
            while (FindNextFileA(find.get(), &entry));
            find.reset();
            for (const std::string& name : names) {
                if (name == "." || name == "..") continue;
                std::string path = folder + "\\" + name;
                if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path);
                else
                    DeleteFileA(path.c_str());
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string root_;
};

TEST_F(FileHelpers, FolderExistsForFoldersOnly) {
    EXPECT_TRUE(FolderExists(Path("")));
    EXPECT_TRUE(FolderExists(Path("").substr(0, Path("").size() - 1))); // without the final "\"
    EXPECT_FALSE(FolderExists(Path("missing")));
    EXPECT_FALSE(FolderExists(Path("missing\\")));
    MakeFile(Path("file.txt"));
    EXPECT_FALSE(FolderExists(Path("file.txt")));
    EXPECT_FALSE(IsFolder(Path("file.txt")));
    EXPECT_TRUE(FolderExists("C:\\"));
}

TEST_F(FileHelpers, FileExistsForReadableFilesOnly) {
    MakeFile(Path("file.txt"));
    EXPECT_TRUE(FileExists(Path("file.txt")));
    EXPECT_FALSE(FileExists(Path("missing.txt")));
    EXPECT_FALSE(FileExists(Path("")));
    SetLastError(0);
    EXPECT_FALSE(OpenFile("", GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_NE(GetLastError(), 0u) << "a path that cannot be made whole sets the last error";
    {
        UniqueFile locked(CreateFileA(Path("file.txt").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_FALSE(FileExists(Path("file.txt")));
    }
    EXPECT_TRUE(FileExists(Path("file.txt")));
}

TEST_F(FileHelpers, MakePathCreatesEveryMissingLevelAndKeepsTheCurrentFolder) {
    const std::string before = CurrentFolder();
    ASSERT_TRUE(CreateDirectoryA(Path("A").c_str(), nullptr));
    EXPECT_TRUE(MakePath(Path("A\\B\\C")));
    EXPECT_TRUE(FolderExists(Path("A\\B")));
    EXPECT_TRUE(FolderExists(Path("A\\B\\C")));
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_TRUE(MakePath(Path("A\\B\\C\\"))); // already there
    EXPECT_TRUE(MakePath(Path("D/E")));
    EXPECT_TRUE(FolderExists(Path("D\\E")));
    EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(FileHelpers, MakePathReportsWhatItCannotCreate) {
    MakeFile(Path("file.txt"));
    EXPECT_FALSE(MakePath(Path("file.txt\\sub")));
    EXPECT_FALSE(FolderExists(Path("file.txt\\sub")));
    EXPECT_FALSE(MakePath(""));
    // A drive that does not exist.
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if (drives & (1u << (letter - 'A'))) continue;
        EXPECT_FALSE(MakePath(std::string(1, letter) + ":\\Qel\\Skins"));
        break;
    }
}

TEST(PathTerminator, TrimsBlanksAndEndsInABackslash) {
    std::string path = "C:\\Skins  ";
    AddPathTerminator(path);
    EXPECT_EQ(path, "C:\\Skins\\");
    AddPathTerminator(path);
    EXPECT_EQ(path, "C:\\Skins\\");
    path = "C:\\Skins\\ "; // ends in "\" once trimmed: left as it was
    AddPathTerminator(path);
    EXPECT_EQ(path, "C:\\Skins\\ ");
    path = "";
    AddPathTerminator(path);
    EXPECT_EQ(path, "\\");
}

} // namespace
} // namespace qel
