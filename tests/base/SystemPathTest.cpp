// The names by which the safe write reaches paths past the system's limit.
#include "base/SystemPath.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(SystemPath, PathsPastTheLimitAreGivenWholeAndPrefixedDevicePathsAsTheyAre) {
    const std::wstring fits = L"C:\\" + std::wstring(256, L'd'), past = fits + L"d",
                       deep = std::wstring(260, L'd') + L"\\a.bmp";
    const struct {
        std::wstring path, whole;
        std::optional<std::wstring> name;
    } cases[] = {
        {fits, fits, fits},
        {past, past, L"\\\\?\\" + past},
        // A relative path is measured made whole.
        {L"a.bmp", L"C:\\a.bmp", L"a.bmp"},
        {L"a.bmp", L"C:\\" + deep, L"\\\\?\\C:\\" + deep},
        {L"\\\\server\\share\\" + deep, L"\\\\server\\share\\" + deep,
         L"\\\\?\\UNC\\server\\share\\" + deep},
        {L"\\\\.\\pipe\\" + deep, L"", L"\\\\.\\pipe\\" + deep},
        {L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep},
        {past, L"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemPathOf(c.path, c.whole), c.name) << c.path.size() << " " << c.whole.size();
}

} // namespace
} // namespace qel
