// The common dialogs (answered in code through their seam, and each system dialog
// once with real keys) and the settings store.
#include "forms/CommonDialog.h"
#include "forms/DialogPath.h"
#include "forms/RuntimeError.h"
#include "forms/Settings.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"

#include <gtest/gtest.h>
#include <deque>
#include <filesystem>
#include <fstream>

namespace qel::forms {
namespace {

TEST(CommonDialogTest, KeepsItsSettingsAndReportsWhatWasChosenOrCancelled) {
    CommonDialog dialog;
    std::vector<std::string> seen;
    std::deque<CommonDialog::Answer> answers{
        {"C:\\Skins\\Blue Steel.gif", {}}, {"", {}}, {"", 0x00123456}, {"", std::nullopt}};
    CommonDialogSeam seam([&](DialogKind kind, const CommonDialog& d) {
        seen.push_back(std::to_string(static_cast<int>(kind)) + ":" + d.InitDir() + ":" +
                       d.DialogTitle() + ":" + d.Filter() + ":" + d.FileName());
        CommonDialog::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    });
    dialog.InitDir("C:\\Skins\\");
    dialog.DialogTitle("Load Vantreo Skin");
    dialog.Filter("Vantreo Saved Skins (*.gif, *.bmp)|*.gif;*.bmp");
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName(), "C:\\Skins\\Blue Steel.gif");
    EXPECT_EQ(dialog.FileTitle(), "Blue Steel.gif");

    // The settings stay for the next call; a cancel empties the answer.
    EXPECT_FALSE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(dialog.FileTitle(), "");
    EXPECT_EQ(seen[1], "1:C:\\Skins\\:Load Vantreo Skin:Vantreo Saved Skins (*.gif, *.bmp)|*.gif;"
                       "*.bmp:C:\\Skins\\Blue Steel.gif");

    EXPECT_TRUE(dialog.ShowColor());
    EXPECT_EQ(dialog.Color(), 0x00123456u);
    EXPECT_FALSE(dialog.ShowColor()) << "a cancelled colour dialog says so";
    EXPECT_EQ(dialog.Color(), 0x00123456u) << "and keeps the colour";
}

// What the dialog makes of typed names: each path the one Wine's dialog returned for the name
// typed with real keys (no check on it), where it took a device's, faulted (C:driverel), saved
// b (a"b) or several names, or made a path longer than it holds.
TEST(DialogPathTest, ReadsATypedNameAsTheDialogDoes) {
    const std::wstring t = L"C:\\t\\", deep = t + std::wstring(239, L'd') + L"\\a", // 246
        shown = t + std::wstring(252, L'e'), p(250, L'p'); // a folder of 257
    const auto isFolder = [&](const std::wstring& f) { return f == shown || f == t + L"sub"; };
    const std::pair<const char*, std::vector<std::wstring>> refusals[] = {
        {"is a device's", {L"\"CON.gif\"", L"conOUT$ .gif", L"sub\\Lpt9", L"com9.x", L"COM\u00B9"}},
        {"double quote", {L"a\"b", L"\"x\" \"y\""}},
        {"drive but no folder", {L"C:driverel"}},
        {"would have 260 characters", {p + L"p"}}};
    for (const auto& [words, names] : refusals)
        for (const std::wstring& typed : names)
            EXPECT_NE(DialogPathOf(t, typed, L"gif", L"*.gif", isFolder).refusal.find(words),
                      std::string::npos);
    const std::tuple<std::wstring, std::wstring, const wchar_t*, const wchar_t*> paths[] = {
        {L" \"quoted\" ", t + L"quoted.gif", L"gif", L"*.gif"},
        {L"name", t + L"name.a_b", L"bmp", L"*.a_b;*.gif"},
        {L"name", t + L"name", L"", L"*.gif"},
        {L"sub", t + L"sub", L"gif", L"*.gif"},
        {shown, shown, L"gif", L"*.gif"},
        {L"sub\\..\\.\\x", t + L"x.gif", L"gif", L"*.gif"},
        {p, t + p + L".gif", L"gif", L"*.gif"},
        {p + L".txt", t + p + L".txt", L"gif", L"*.gif"}};
    for (const auto& [typed, path, ext, pattern] : paths) {
        const DialogPath made = DialogPathOf(t, typed, ext, pattern, isFolder);
        EXPECT_EQ(made.path + Widen(made.refusal), path);
    }
    EXPECT_EQ(DialogPathOf(deep, L"..\\a\\nnnnnnnn", L"gif", L"*.gif", isFolder).path,
              deep + L"\\nnnnnnnn.gif");
}

// Counts the dialogs of this thread left with a window procedure other than their class's.
int dialogsLeftChanged = 0;
LRESULT CALLBACK CountDialogsLeftChanged(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (call.message == WM_NCDESTROY && GetClassWord(call.hwnd, GCW_ATOM) == 32770 && // #32770
        GetWindowLongPtrW(call.hwnd, GWLP_WNDPROC) !=
            LONG_PTR(GetClassLongPtrW(call.hwnd, GCLP_WNDPROC)))
        ++dialogsLeftChanged;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Waits for a dialog of this process and types into it from the input thread.
void AnswerDialogWith(const std::function<void()>& keys) {
    ASSERT_TRUE(test::WaitForDialog([](HWND dialog) {
        char name[32] = {};
        GetClassNameA(dialog, name, sizeof name);
        return std::string(name) == "#32770";
    }));
    keys();
}

TEST(CommonDialogTest, TheSystemDialogsAnswerRealKeys) {
    // A folder of this run: the dialog would otherwise show the one it showed last.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "qel-dialogs-" + std::to_string(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::ofstream(folder + "\\old.gif") << "x";

    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    CommonDialog dialog;
    dialog.InitDir(folder);
    dialog.Filter("Vantreo Saved GIF Skins (*.gif)|*.gif");
    dialog.DialogTitle("Load Vantreo Skin");
    bool chosen = false;
    test::WithInput([&] { chosen = dialog.ShowOpen(); },
                    [] {
                        AnswerDialogWith([] {
                            test::Type("old.gif");
                            qel::test::KeyChord({VK_RETURN});
                        });
                    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(_stricmp(dialog.FileName().c_str(), (folder + "\\old.gif").c_str()), 0)
        << dialog.FileName();
    EXPECT_EQ(dialog.FileTitle(), "old.gif");
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, current) << "relative names keep their meaning";

    // Names outside ASCII pass whole; one no code page takes is refused in words.
    std::ofstream(folder + "\\\xE7\x9A\xAE\xE8\x82\xA4.gif") << "x";
    test::WithInput([&] { chosen = dialog.ShowOpen(); },
                    [] { AnswerDialogWith([] { test::Type(L"\x76AE\x80A4.gif\r"); }); });
    EXPECT_EQ(dialog.FileTitle(), "\xE7\x9A\xAE\xE8\x82\xA4.gif");
    test::WithInput([&] { chosen = dialog.ShowSave(); },
                    [] { AnswerDialogWith([] { test::Type(L"a\xD800\r"); }); });
    EXPECT_FALSE(chosen);
    EXPECT_NE(test::MessageBoxes().prompts.at(0).find("characters this system cannot take"),
              std::string::npos);

    // The name given, a device's, and then names whose paths would be longer than the dialog
    // holds (the folder shown now and the extension it adds counted) are refused in words
    // before any question; the dialog stays open, and adds the extension to the name it takes.
    ASSERT_TRUE(CreateDirectoryA((folder + "\\sub").c_str(), nullptr));
    const std::wstring fits(MAX_PATH - 1 - folder.size() - 9, L'n'); // in "sub", with ".gif"
    const auto refused = [](const std::wstring& name) {
        const int shown = test::MessageBoxesShown();
        test::Type(name + L"\r");
        ASSERT_TRUE(test::WaitFor([&] { return test::MessageBoxesShown() > shown; }));
    };
    dialog.DefaultExt(".gif");
    dialog.FileName("CON.gif");
    const UniqueHook watch(SetWindowsHookExW(WH_CALLWNDPROCRET, CountDialogsLeftChanged, nullptr,
                                             GetCurrentThreadId()));
    test::WithInput([&] { chosen = dialog.ShowSave(); },
                    [&] {
                        AnswerDialogWith([&] {
                            refused(L"");
                            refused(L"C:driverel"); // on which the dialog would fault
                            refused(L"a\"b");
                            refused(L"sub\\" + fits + L"n");
                            test::Type("sub\r");
                            refused(fits + L"n");
                            test::Type(fits + L"\r");
                        });
                    });
    EXPECT_EQ(dialog.FileName(), folder + "\\sub\\" + Narrow(fits) + ".gif");
    const auto& prompts = test::MessageBoxes().prompts;
    EXPECT_NE(prompts.at(prompts.size() - 5).find("\"CON.gif\" is a device's"), std::string::npos);
    EXPECT_NE(prompts.at(prompts.size() - 4).find("drive but no folder"), std::string::npos);
    EXPECT_NE(prompts.at(prompts.size() - 3).find("double quote"), std::string::npos);
    EXPECT_NE(prompts.back().find("would have 260 characters, and this dialog takes at most 259"),
              std::string::npos);
    EXPECT_EQ(dialogsLeftChanged, 0) << "the dialog takes its check off when it closes";

    test::WithInput([&] { chosen = dialog.ShowOpen(); },
                    [] { AnswerDialogWith([] { qel::test::KeyChord({VK_ESCAPE}); }); });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(dialog.FileName(), "");

    dialog.Color(0x00336699);
    test::WithInput([&] { chosen = dialog.ShowColor(); },
                    [] { AnswerDialogWith([] { qel::test::KeyChord({VK_RETURN}); }); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(dialog.Color(), 0x00336699u) << "the dialog starts at the colour";
    test::WithInput([&] { chosen = dialog.ShowColor(); },
                    [] { AnswerDialogWith([] { qel::test::KeyChord({VK_ESCAPE}); }); });
    EXPECT_FALSE(chosen);
    std::filesystem::remove_all(Widen(folder));
}

TEST(SettingsTest, StoresStringsPerApplicationSectionAndKey) {
    const std::string app = "QelFormsTest";
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Qel Program Settings\\" + app).c_str());
    EXPECT_EQ(GetSetting(app, "Settings", "LstLoadedSkinLoc", "Skins\\"), "Skins\\");
    SaveSetting(app, "Settings", "LstLoadedSkinLoc", "C:\\My Skins\\");
    SaveSetting(app, "Other", "LstLoadedSkinLoc", "elsewhere");
    EXPECT_EQ(GetSetting(app, "Settings", "LstLoadedSkinLoc", "Skins\\"), "C:\\My Skins\\");
    EXPECT_EQ(GetSetting(app, "Settings", "LstSavedSkinLoc"), "");
    SaveSetting(app, "Settings", "LstLoadedSkinLoc", "");
    EXPECT_EQ(GetSetting(app, "Settings", "LstLoadedSkinLoc", "x"), "")
        << "an empty value is a value";
    try {
        SaveSetting(app, "", "Key", "v");
        ADD_FAILURE() << "an empty section was taken";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kInvalidCall);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Qel Program Settings\\" + app).c_str());
}

} // namespace
} // namespace qel::forms
