// Driving the creator's main window as a user does: commands chosen from the
// menu bar that the skin control draws in the caption, and the file and colour
// dialogs answered through the forms layer's seam.
#pragma once
#include "forms/CommonDialog.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace qel::creator::test {

inline void Press(WORD vk) {
    qel::test::KeyDown(vk);
    qel::test::KeyUp(vk);
}

inline bool PopupOpen() {
    return FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr));
}

// Opens a menu of the skinned bar with Alt and its letter, then chooses an
// item with `keys` (its letter, or arrows and Enter); call it while input is
// being sent (WhileInput).
inline void MenuKeys(WORD menuLetter, std::initializer_list<WORD> keys) {
    qel::test::KeyDown(VK_MENU);
    qel::test::KeyDown(menuLetter);
    // Under Wine a focus change that the X server reports late sets the modifier
    // keys to the server's own state, where keys sent as input are up: while Alt
    // is found up although held, the letter went without it and is sent again.
    for (int tries = 1;
         !forms::test::WaitFor(PopupOpen) && GetAsyncKeyState(VK_MENU) >= 0 && tries < 3; ++tries) {
        qel::test::KeyUp(menuLetter);
        qel::test::KeyDown(VK_MENU);
        qel::test::KeyDown(menuLetter);
    }
    qel::test::KeyUp(menuLetter);
    qel::test::KeyUp(VK_MENU);
    for (WORD key : keys)
        Press(key);
    forms::test::WaitFor([] { return !PopupOpen(); });
}

inline void ChooseFromMenu(WORD menuLetter, std::initializer_list<WORD> keys) {
    qel::test::WhileInput([&] { MenuKeys(menuLetter, keys); });
}

// Answers the colour dialog with `colour` (none: cancelled) and the file
// dialogs with `path`, recording each dialog's starting folder.
struct Dialogs {
    std::optional<forms::OleColor> colour;
    std::string path;
    std::vector<std::string> initDirs, defaultExts;
    int shown = 0;
    forms::CommonDialogSeam seam{[this](forms::DialogKind kind, const forms::CommonDialog& dialog) {
        ++shown;
        initDirs.push_back(dialog.InitDir());
        defaultExts.push_back(dialog.DefaultExt());
        return kind == forms::DialogKind::Color ? forms::CommonDialog::Answer{{}, colour}
                                                : forms::CommonDialog::Answer{path, {}};
    }};
};

} // namespace qel::creator::test
