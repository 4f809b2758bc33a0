// Owners of platform handles: one template for "a handle and how to free it",
// with a named alias per kind, so that no function body frees anything by hand.
#pragma once
#include <windows.h>
#include <utility>

namespace qel {

// What an empty handle of a kind is: null for most kinds; file and search
// handles use INVALID_HANDLE_VALUE.
template <class H> struct NullIsEmpty {
    static H Empty() { return H{}; }
};
struct InvalidIsEmpty {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
};

template <class H, auto Free, class Policy = NullIsEmpty<H>> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        reset(o.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Policy::Empty(); }
    H release() { return std::exchange(h_, Policy::Empty()); }
    void reset(H h = Policy::Empty()) {
        if (h_ != Policy::Empty()) Free(h_);
        h_ = h;
    }

private:
    H h_ = Policy::Empty();
};

template <class G> BOOL WINAPI DeleteGdiObject(G g) {
    return DeleteObject(g);
}

using UniqueDC = UniqueHandle<HDC, DeleteDC>; // CreateDC, CreateCompatibleDC
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject<HBITMAP>>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject<HBRUSH>>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject<HFONT>>;
using UniquePen = UniqueHandle<HPEN, DeleteGdiObject<HPEN>>;
using UniqueRegion = UniqueHandle<HRGN, DeleteGdiObject<HRGN>>;
using UniquePalette = UniqueHandle<HPALETTE, DeleteGdiObject<HPALETTE>>;
using UniqueHook = UniqueHandle<HHOOK, UnhookWindowsHookEx>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueKey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueKernelObject = UniqueHandle<HANDLE, CloseHandle>;         // OpenProcess, CreateEvent
using UniqueFile = UniqueHandle<HANDLE, CloseHandle, InvalidIsEmpty>; // CreateFile
using UniqueFind = UniqueHandle<HANDLE, FindClose, InvalidIsEmpty>;   // FindFirstFile

// A device context from GetDC or GetWindowDC, released to its window.
class WindowDC {
public:
    WindowDC() = default;
    WindowDC(HWND hwnd, HDC dc) : hwnd_(hwnd), dc_(dc) {}
    static WindowDC Client(HWND hwnd) { return WindowDC(hwnd, GetDC(hwnd)); }
    static WindowDC Whole(HWND hwnd) { return WindowDC(hwnd, GetWindowDC(hwnd)); }
    WindowDC(WindowDC&& o) noexcept : hwnd_(o.hwnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& o) noexcept {
        reset();
        hwnd_ = o.hwnd_;
        dc_ = std::exchange(o.dc_, nullptr);
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { reset(); }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (dc_) ReleaseDC(hwnd_, std::exchange(dc_, nullptr));
    }

private:
    HWND hwnd_{};
    HDC dc_{};
};

// The painting of one WM_PAINT: BeginPaint now, EndPaint when it goes.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A system timer (SetTimer), killed when it goes: the window it belongs to
// (none for a thread's timer) and its identifier.
class SystemTimer {
public:
    SystemTimer() = default;
    // A timer of the calling thread that calls `proc` every `interval` ms;
    // empty when the system refuses it.
    static SystemTimer ForThread(UINT interval, TIMERPROC proc) {
        return SystemTimer(nullptr, SetTimer(nullptr, 0, interval, proc));
    }
    SystemTimer(SystemTimer&& o) noexcept : hwnd_(o.hwnd_), id_(std::exchange(o.id_, 0)) {}
    SystemTimer& operator=(SystemTimer&& o) noexcept {
        reset();
        hwnd_ = o.hwnd_;
        id_ = std::exchange(o.id_, 0);
        return *this;
    }
    SystemTimer(const SystemTimer&) = delete;
    SystemTimer& operator=(const SystemTimer&) = delete;
    ~SystemTimer() { reset(); }

    UINT_PTR id() const { return id_; }
    explicit operator bool() const { return id_ != 0; }
    void reset() {
        if (id_) KillTimer(hwnd_, std::exchange(id_, 0));
    }

private:
    SystemTimer(HWND hwnd, UINT_PTR id) : hwnd_(hwnd), id_(id) {}
    HWND hwnd_{};
    UINT_PTR id_ = 0;
};

// An object selected into a device context for a scope; the one it replaced is
// selected back at the end.
class Selection {
public:
    Selection() = default;
    Selection(HDC dc, HGDIOBJ obj) : dc_(dc), previous_(obj ? SelectObject(dc, obj) : nullptr) {}
    Selection(Selection&& o) noexcept
        : dc_(o.dc_), previous_(std::exchange(o.previous_, nullptr)) {}
    Selection& operator=(Selection&& o) noexcept {
        reset();
        dc_ = o.dc_;
        previous_ = std::exchange(o.previous_, nullptr);
        return *this;
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { reset(); }

    void reset() {
        if (previous_) SelectObject(dc_, std::exchange(previous_, nullptr));
    }

private:
    HDC dc_{};
    HGDIOBJ previous_{};
};

// A memory device context with its own bitmap selected in: the off-screen
// drawing surface used by painters.
class MemorySurface {
public:
    MemorySurface() = default;
    // A surface compatible with `reference` (the screen when null), w x h pixels.
    MemorySurface(HDC reference, int w, int h);
    MemorySurface(MemorySurface&&) noexcept = default;
    // The old bitmap is deselected before the old DC and bitmap are freed.
    MemorySurface& operator=(MemorySurface&& o) noexcept {
        if (this != &o) {
            selection_.reset();
            selection_ = std::move(o.selection_);
            dc_ = std::move(o.dc_);
            bitmap_ = std::move(o.bitmap_);
            w_ = std::exchange(o.w_, 0);
            h_ = std::exchange(o.h_, 0);
        }
        return *this;
    }
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return w_; }
    int height() const { return h_; }
    explicit operator bool() const { return static_cast<bool>(dc_); }

private:
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    Selection selection_; // after the handles: deselects before they are freed
    int w_ = 0, h_ = 0;
};

} // namespace qel
