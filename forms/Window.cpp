#include "forms/Window.h"
#include "forms/RuntimeError.h"
#include "forms/Screen.h"
#include "base/WindowTable.h"

namespace qel::forms {
namespace {
// Marks the windows of the layer, so that FromHandle never misreads another's data.
constexpr char kObjectProperty[] = "QelFormsWindow";

// The property's in-process mirror, read on every message.
WindowTable<Window*>& Objects() {
    static WindowTable<Window*> table;
    return table;
}
} // namespace

Window::~Window() {
    DestroyOwnWindow();
}

void Window::CreateWindowOf(const char* className, const char* text, DWORD style, DWORD exStyle,
                            HWND parent, const RECT& pixels) {
    HWND hwnd = CreateWindowExA(exStyle, className, text, style, pixels.left, pixels.top,
                                pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        throw RuntimeError(kInvalidCall,
                           std::string("Cannot create a window of class ") + className);
    AttachWindow(hwnd);
}

void Window::AttachWindow(HWND hwnd) {
    hwnd_.reset(hwnd);
    if (SetPropA(hwnd, kObjectProperty, reinterpret_cast<HANDLE>(this)))
        Objects().Write(hwnd, [this](Window*& object) {
            object = this;
            return true;
        });
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

void Window::Detach() {
    HWND hwnd = hwnd_.get();
    if (!hwnd) return;
    // Another subclasser may sit on top of ours; it then keeps calling Procedure,
    // which hands messages of a detached window to the class procedure.
    if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(hwnd, kObjectProperty);
    Objects().Erase(hwnd);
}

void Window::DestroyOwnWindow() {
    Detach();
    hwnd_.reset();
}

void Window::ReleaseOwnWindow() {
    Detach();
    hwnd_.release();
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(previous_, hwnd_.get(), msg, wParam, lParam);
}

const char* Window::OwnClass(const char* name, UINT style) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!GetClassInfoExA(instance, name, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.style = style;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = name;
        RegisterClassExA(&wc);
    }
    return name;
}

Window* Window::FromHandle(HWND hwnd) {
    Window* window = nullptr;
    if (hwnd) Objects().Read(hwnd, [&](Window* object) { window = object; });
    return window;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(hwnd);
    if (!window) {
        // Detached while a subclasser above ours still calls us: the class procedure.
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        char name[256] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (!GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc))
            GetClassInfoExA(nullptr, name, &wc);
        return CallWindowProcA(wc.lpfnWndProc ? wc.lpfnWndProc : DefWindowProcA, hwnd, msg, wParam,
                               lParam);
    }
    if (msg == WM_NCDESTROY) {
        // Destroyed from outside (with its parent, say): the handle is gone.
        LRESULT result = window->Default(msg, wParam, lParam);
        window->Detach();
        window->hwnd_.release();
        return result;
    }
    // The program's pointer (the busy pointer, say) wins over every window's own.
    if (msg == WM_SETCURSOR && Screen::ApplyPointer()) return TRUE;
    LRESULT result = 0;
    bool handled = false;
    Guarded([&] {
        result = window->HandleMessage(msg, wParam, lParam);
        handled = true;
    });
    return handled ? result : DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace qel::forms
