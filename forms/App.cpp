#include "forms/App.h"
#include "base/Module.h"
#include "forms/Form.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

namespace qel::forms {
namespace {

std::string ModulePath() {
    return Narrow(ModuleFileName(nullptr));
}

// The form window that `hwnd` belongs to, or null.
HWND FormWindowOf(HWND hwnd) {
    for (Form* form : Form::LoadedForms())
        if (hwnd == form->hWnd() || IsChild(form->hWnd(), hwnd)) return form->hWnd();
    return nullptr;
}

} // namespace

std::string App::Path() {
    std::string path = ModulePath();
    path.resize(path.find_last_of("\\/") + 1);
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

const std::string& App::Title() {
    static const std::string title = [] {
        std::string path = ModulePath();
        std::string name = path.substr(path.find_last_of("\\/") + 1);
        return name.substr(0, name.find_last_of('.'));
    }();
    return title;
}

DWORD App::ThreadID() {
    return GetCurrentThreadId();
}

void App::Dispatch(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        if (HWND form = FormWindowOf(msg.hwnd); form && form != msg.hwnd) {
            bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (HWND next = GetNextDlgTabItem(form, msg.hwnd, back)) {
                SetFocus(next);
                return;
            }
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void App::Wake() {
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

int App::Run() {
    int code = 0;
    MSG msg;
    while (!Form::LoadedForms().empty()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            code = got == 0 ? static_cast<int>(msg.wParam) : -1;
            break;
        }
        Dispatch(msg);
    }
    // A quit message: the forms still loaded are asked to unload.
    std::vector<Form*> remaining = Form::LoadedForms();
    for (auto it = remaining.rbegin(); it != remaining.rend(); ++it)
        (*it)->Unload(UnloadMode::AppWindows);
    return code;
}

int App::Main(const std::function<void()>& start) {
    int code = 1;
    Guarded([&] {
        start();
        code = Run();
    });
    return code;
}

} // namespace qel::forms
