#include "tests/support/Resources.h"

#include <winternl.h>
#include <cstdint>

namespace qel::test {
namespace {

// One entry of the GDI handle table that the PEB points to.
#pragma pack(push, 1)
struct GdiHandleEntry {
    uint64_t object;
    uint16_t processId;
    uint16_t lockAndCount;
    uint8_t extTypeAndStock; // bit 7: a stock object
    uint8_t generation;
    uint8_t type; // 0: a free entry
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr int kGdiTableSize = 0x10000;

// Reading the TEB through the segment register looks like an access to an
// empty array to GCC's bounds checker.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const GdiHandleEntry* GdiHandleTable() {
    auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    return *reinterpret_cast<GdiHandleEntry* const*>(peb + offset);
}
#pragma GCC diagnostic pop

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counter) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(counter);
        EnumChildWindows(hwnd, CountWindow, counter);
    }
    return TRUE;
}

} // namespace

DWORD GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    const GdiHandleEntry* table = GdiHandleTable();
    if (!table) return 0;
    DWORD n = 0;
    for (int i = 0; i < kGdiTableSize; ++i)
        if (table[i].type != 0 && !(table[i].extTypeAndStock & 0x80)) ++n;
    return n;
}

DWORD UserObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return n;
    DWORD n = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

} // namespace qel::test
