// The names by which the safe write reaches paths past the system's limit.
#include "base/SystemPath.h"

#include <gtest/gtest.h>
#include <tuple>

namespace qel {
namespace {

TEST(SystemPath, PathsPastTheLimitAreGivenWholeAndPrefixedDevicePathsAsTheyAre) {
    const std::wstring fits = L"C:\\" + std::wstring(244, L'd'), past = fits + L"d", // 247, 248
        deep = std::wstring(260, L'd') + L"\\a.bmp";
    const std::tuple<std::wstring, std::wstring, std::optional<std::wstring>> cases[] = {
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
    for (const auto& [path, whole, name] : cases)
        EXPECT_EQ(SystemPathOf(path, whole), name) << path.size() << " " << whole.size();
}

} // namespace
} // namespace qel
