#include "control/FileHelpers.h"
#include "base/Handle.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qel {
namespace {

using UniqueFile = UniqueHandle<HANDLE, CloseHandle>;

std::wstring CurrentFolder() {
    wchar_t buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
    return std::wstring(buffer, n);
}

// A fresh folder under the temporary folder, removed with everything made in it.
class FileHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"qel_files_" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    }
    void TearDown() override { Remove(root_); }

    std::wstring Path(const std::wstring& name) const { return root_ + L"\\" + name; }
    void MakeFile(const std::wstring& path) {
        UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    }

private:
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            std::vector<std::wstring> names;
            do
                names.push_back(entry.cFileName);
            while (FindNextFileW(find, &entry));
            FindClose(find);
            for (const std::wstring& name : names) {
                if (name == L"." || name == L"..") continue;
                std::wstring path = folder + L"\\" + name;
                if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path);
                else
                    DeleteFileW(path.c_str());
            }
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring root_;
};

TEST_F(FileHelpers, FolderExistsForFoldersOnly) {
    EXPECT_TRUE(FolderExists(Path(L"")));
    EXPECT_TRUE(FolderExists(Path(L"").substr(0, Path(L"").size() - 1))); // without the final "\"
    EXPECT_FALSE(FolderExists(Path(L"missing")));
    EXPECT_FALSE(FolderExists(Path(L"missing\\")));
    MakeFile(Path(L"file.txt"));
    EXPECT_FALSE(FolderExists(Path(L"file.txt")));
    EXPECT_TRUE(FolderExists(L"C:\\"));
}

TEST_F(FileHelpers, FileExistsForReadableFilesOnly) {
    MakeFile(Path(L"file.txt"));
    EXPECT_TRUE(FileExists(Path(L"file.txt")));
    EXPECT_FALSE(FileExists(Path(L"missing.txt")));
    EXPECT_FALSE(FileExists(Path(L"")));
    {
        UniqueFile locked(CreateFileW(Path(L"file.txt").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(locked.get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(FileExists(Path(L"file.txt")));
    }
    EXPECT_TRUE(FileExists(Path(L"file.txt")));
}

TEST_F(FileHelpers, MakePathCreatesEveryMissingLevelAndKeepsTheCurrentFolder) {
    const std::wstring before = CurrentFolder();
    ASSERT_TRUE(CreateDirectoryW(Path(L"A").c_str(), nullptr));
    EXPECT_TRUE(MakePath(Path(L"A\\B\\C")));
    EXPECT_TRUE(FolderExists(Path(L"A\\B")));
    EXPECT_TRUE(FolderExists(Path(L"A\\B\\C")));
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_TRUE(MakePath(Path(L"A\\B\\C\\"))); // already there
    EXPECT_TRUE(MakePath(Path(L"D/E")));
    EXPECT_TRUE(FolderExists(Path(L"D\\E")));
    EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(FileHelpers, MakePathReportsWhatItCannotCreate) {
    MakeFile(Path(L"file.txt"));
    EXPECT_FALSE(MakePath(Path(L"file.txt\\sub")));
    EXPECT_FALSE(FolderExists(Path(L"file.txt\\sub")));
    EXPECT_FALSE(MakePath(L""));
    // A drive that does not exist.
    DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter) {
        if (drives & (1u << (letter - L'A'))) continue;
        EXPECT_FALSE(MakePath(std::wstring(1, letter) + L":\\Qel\\Skins"));
        break;
    }
}

TEST(PathTerminator, TrimsBlanksAndEndsInABackslash) {
    std::wstring path = L"C:\\Skins  ";
    AddPathTerminator(path);
    EXPECT_EQ(path, L"C:\\Skins\\");
    AddPathTerminator(path);
    EXPECT_EQ(path, L"C:\\Skins\\");
    path = L"C:\\Skins\\ "; // ends in "\" once trimmed: left as it was
    AddPathTerminator(path);
    EXPECT_EQ(path, L"C:\\Skins\\ ");
    path = L"";
    AddPathTerminator(path);
    EXPECT_EQ(path, L"\\");
}

} // namespace
} // namespace qel
