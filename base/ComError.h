// Numbered errors raised to COM callers: an HRESULT plus the thread's error
// object (number, source and description), as automation clients expect.
#pragma once
#include <windows.h>

namespace qel {

// The library's name as the source of its object errors ("<name>.WindowProc").
inline constexpr const wchar_t* kLibraryName = L"Qel_SkinControl";

// Numbers above 1000 are object errors: number | 0x80040000. Smaller numbers are
// the platform's run-time errors: 0x800A0000 | number.
constexpr HRESULT ErrorHResult(long number) {
    return static_cast<HRESULT>(number > 1000 ? (static_cast<unsigned long>(number) | 0x80040000u)
                                              : (static_cast<unsigned long>(number) | 0x800A0000u));
}

// Sets the thread's error object and returns the HRESULT of `number`.
HRESULT RaiseError(long number, const wchar_t* source, const wchar_t* description);

// Sets the thread's error object for a failure `hr` and returns `hr`.
HRESULT RaiseFailure(HRESULT hr, const wchar_t* source, const wchar_t* description) noexcept;

// Run-time error 5 ("Invalid procedure call or argument"), with an empty source.
HRESULT RaiseInvalidCall();

} // namespace qel
