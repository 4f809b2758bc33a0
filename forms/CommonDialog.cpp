#include "forms/CommonDialog.h"
#include "base/FileHelpers.h"
#include "base/WideText.h"
#include "forms/DialogPath.h"
#include "forms/MsgBox.h"
#include "forms/RuntimeError.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
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

// The pattern of the filter chosen in the dialog (its list cmb1) from the
// dialog's filter ("text\0pattern\0...\0\0"); "" without one.
std::wstring ChosenPattern(HWND dialog, const wchar_t* filter) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, cmb1, CB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; filter && *filter && chosen >= 0; ++i) {
        filter += wcslen(filter) + 1; // past the text
        if (i == chosen) return filter;
        filter += wcslen(filter) + 1; // past the pattern
    }
    return {};
}

// Why the dialog must not take the name typed into its name box; "" when it may.
std::string Refusal(HWND dialog, const OPENFILENAMEW& ofn) {
    std::vector<wchar_t> text(GetWindowTextLengthW(GetDlgItem(dialog, cmb13)) + 1, L'\0');
    GetDlgItemTextW(dialog, cmb13, text.data(), static_cast<int>(text.size()));
    std::vector<wchar_t> folder(32768, L'\0');
    SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
    return DialogPathOf(folder.data(), text.data(), ofn.lpstrDefExt ? ofn.lpstrDefExt : L"",
                        ChosenPattern(dialog, ofn.lpstrFilter),
                        [](const std::wstring& path) { return IsFolder(Narrow(path)); })
        .refusal;
}

// True when the name typed must not be taken, the user told why; a failure of
// the check refuses it too, in words, as nothing may cross the dialog's procedure.
bool Refused(HWND dialog, const OPENFILENAMEW& ofn) try {
    std::string refusal;
    try {
        refusal = Refusal(dialog, ofn);
    } catch (const std::exception& e) {
        refusal =
            "The name could not be checked (" + std::string(e.what()) + "): choose another name.";
    }
    if (!refusal.empty()) MsgBox(refusal, MB_ICONEXCLAMATION);
    return !refusal.empty();
} catch (...) {
    return true; // not even the message could be shown
}

// The dialog's OK (the Open or Save button, Enter in the name box) with a name
// it must not take is swallowed: the dialog stays open with the name selected.
LRESULT CALLBACK CheckNameOnOk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR ofn) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(dialog, CheckNameOnOk, id);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK &&
        Refused(dialog, *reinterpret_cast<const OPENFILENAMEW*>(ofn))) {
        SetFocus(GetDlgItem(dialog, cmb13)); // a combo box given the focus selects its text
        return 0;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

// The hook of the file dialog: once the dialog is ready, its OK goes through
// CheckNameOnOk, which reads the dialog's settings from lCustData.
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
    ofn.lCustData = reinterpret_cast<LPARAM>(&ofn);
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
