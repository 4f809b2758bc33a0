#include "forms/CommonDialog.h"
#include "base/WideText.h"
#include "forms/MsgBox.h"
#include "forms/RuntimeError.h"

#include <algorithm>
#include <commctrl.h>
#include <commdlg.h>
#include <cwctype>
#include <dlgs.h>
#include <shlwapi.h>
#include <vector>

namespace qel::forms {
namespace {

// "text|pattern|..." as the dialog wants it: parts ended by NULs, a NUL after all.
std::string DialogFilter(const std::string& filter) {
    std::string parts = filter;
    for (char& c : parts)
        if (c == '|') c = '\0';
    parts.push_back('\0');
    parts.push_back('\0');
    return parts;
}

std::string TitleOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

// The longest path the file dialog holds: Wine's copies the path it makes of
// the folder shown and the typed name, with the extension it adds to a name
// without one, into buffers of MAX_PATH characters whatever nMaxFile says, and
// a longer path ends the program.
constexpr size_t kDialogPathMax = MAX_PATH - 1;

// A dot and the longest extension the dialog may add to a name without one
// (one of the filter's or the default); 0 without a default, when it adds none.
size_t ExtensionRoom(const std::wstring& filter, const std::wstring& extension) {
    if (extension.empty()) return 0;
    size_t longest = extension.size();
    for (size_t dot = filter.find(L'.'); dot != std::wstring::npos;
         dot = filter.find(L'.', dot + 1)) {
        const auto start = filter.begin() + dot + 1;
        longest =
            std::max<size_t>(longest, std::find_if_not(start, filter.end(), iswalnum) - start);
    }
    return 1 + longest;
}

// Whether a file name is a device's (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9), whatever its case, its extension and blanks before that.
bool IsDeviceName(std::wstring name) {
    name = name.substr(0, name.find(L'.'));
    name.erase(name.find_last_not_of(L' ') + 1);
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    if (name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL") return true;
    return name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) &&
           name[3] >= L'1' && name[3] <= L'9';
}

// Why the dialog must not take the name typed into its name box: a device's
// name, or a path longer than it holds (a relative name joins the folder shown,
// one from the root takes a drive, one with a drive stands alone); "" for none.
std::string Refusal(HWND dialog, size_t extensionRoom) {
    std::vector<wchar_t> text(GetWindowTextLengthW(GetDlgItem(dialog, cmb13)) + 1, L'\0');
    GetDlgItemTextW(dialog, cmb13, text.data(), static_cast<int>(text.size()));
    const std::wstring typed = text.data();
    if (typed.empty()) return {};
    if (const wchar_t* title = PathFindFileNameW(typed.c_str()); IsDeviceName(title))
        return "The name \"" + Narrow(title) +
               "\" is a device's (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any "
               "extension): choose another name.";
    std::vector<wchar_t> folder(32768, L'\0');
    SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
    size_t length = typed.size() + (*PathFindExtensionW(typed.c_str()) ? 0 : extensionRoom);
    if (const size_t shown = wcslen(folder.data()); PathIsRelativeW(typed.c_str()))
        length += shown + (shown && folder[shown - 1] == L'\\' ? 0 : 1);
    else if (PathGetDriveNumberW(typed.c_str()) < 0)
        length += 2;
    if (length <= kDialogPathMax) return {};
    return "The name is too long: the file's path would have " + std::to_string(length) +
           " characters, and this dialog takes at most " + std::to_string(kDialogPathMax) +
           ". Choose a shorter name or folder.";
}

// True when the name typed must not be taken, the user told why; a failure
// refuses it too, as nothing crosses the dialog's procedure.
bool Refused(HWND dialog, size_t extensionRoom) {
    try {
        const std::string refusal = Refusal(dialog, extensionRoom);
        if (!refusal.empty()) MsgBox(refusal, MB_ICONEXCLAMATION);
        return !refusal.empty();
    } catch (const std::exception&) {
        return true;
    }
}

// The dialog's OK (the Open or Save button, Enter in the name box) with a name
// it must not take is swallowed: the dialog stays open with the name selected.
LRESULT CALLBACK CheckNameOnOk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR extensionRoom) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(dialog, CheckNameOnOk, id);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && Refused(dialog, extensionRoom)) {
        const HWND nameBox = GetDlgItem(dialog, cmb13);
        SetFocus(nameBox);
        SendMessageW(nameBox, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return 0;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

// The hook of the file dialog: once the dialog is ready, its OK goes through CheckNameOnOk.
UINT_PTR CALLBACK DialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE)
        SetWindowSubclass(GetParent(hook), CheckNameOnOk, 0,
                          reinterpret_cast<OFNOTIFYW*>(lParam)->lpOFN->lCustData);
    return 0;
}

void CheckDialogError() {
    if (DWORD code = CommDlgExtendedError())
        throw RuntimeError(kInvalidCall,
                           "The dialog could not be shown (error " + std::to_string(code) + ")");
}

} // namespace

bool CommonDialog::ShowOpen() {
    return ShowFile(DialogKind::Open);
}

bool CommonDialog::ShowSave() {
    return ShowFile(DialogKind::Save);
}

bool CommonDialog::ShowFile(DialogKind kind) {
    auto& handler = CommonDialogSeam::Current();
    fileName_ = handler ? handler(kind, *this).path : RunFileDialog(kind);
    fileTitle_ = fileName_.empty() ? std::string() : TitleOf(fileName_);
    return !fileName_.empty();
}

bool CommonDialog::ShowColor() {
    auto& handler = CommonDialogSeam::Current();
    std::optional<OleColor> chosen =
        handler ? handler(DialogKind::Color, *this).color : RunColorDialog();
    if (chosen) color_ = *chosen;
    return chosen.has_value();
}

// The wide dialog, so that a name the ANSI code page cannot take is refused in
// words rather than passed on with "?" or a look-alike in place of characters.
std::string CommonDialog::RunFileDialog(DialogKind kind) const {
    std::vector<wchar_t> path(32768, L'\0');
    Widen(fileName_).copy(path.data(), path.size() - 1); // the proposed name
    const std::wstring filter = Widen(DialogFilter(filter_)), initDir = Widen(initDir_),
                       title = Widen(title_),
                       extension = Widen(!defaultExt_.empty() && defaultExt_[0] == '.'
                                             ? defaultExt_.substr(1)
                                             : defaultExt_);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = initDir.empty() ? nullptr : initDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.lpfnHook = DialogHook;
    ofn.lCustData = ExtensionRoom(filter, extension);
    // The program's current folder stays: relative names keep their meaning.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                OFN_ENABLEHOOK | OFN_ENABLESIZING;
    // An existing file is replaced only when the user says so.
    ofn.Flags |= kind == DialogKind::Open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    BOOL chosen = kind == DialogKind::Open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!chosen) {
        CheckDialogError();
        return {};
    }
    const std::wstring name = path.data();
    const std::string ansi = Narrow(name);
    if (Widen(ansi) == name) return ansi;
    MsgBox("The name \"" + ansi + "\" has characters this system cannot take.", MB_ICONEXCLAMATION);
    return {};
}

std::optional<OleColor> CommonDialog::RunColorDialog() const {
    static COLORREF custom[16] = {}; // the user's custom colours, kept for the program's life
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = ToRgb(color_);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) {
        CheckDialogError();
        return std::nullopt;
    }
    return cc.rgbResult;
}

} // namespace qel::forms
