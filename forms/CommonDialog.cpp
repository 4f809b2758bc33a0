#include "forms/CommonDialog.h"
#include "base/WideText.h"
#include "forms/MsgBox.h"
#include "forms/RuntimeError.h"

#include <commdlg.h>
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
    // The program's current folder stays: relative names keep their meaning.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
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
