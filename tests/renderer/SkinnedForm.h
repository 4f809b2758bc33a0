// Renderer test helpers: a probe window skinned by a renderer, an off-screen
// canvas to paint frames on, and a recorder of the renderer's events.
#pragma once
#include "base/Events.h"
#include "base/Handle.h"
#include "renderer/Qel_SkinClass.h"
#include "renderer/Qel_SkinConfig.h"

#include <functional>
#include <map>

namespace qel::test {

// An off-screen surface filled with one colour.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill);
    HDC dc() const { return surface_.dc(); }
    LONG Handle() const { return HandleToLong(surface_.dc()); }
    COLORREF At(int x, int y) const { return GetPixel(surface_.dc(), x, y); }

private:
    MemorySurface surface_;
};

// The frame of the renderer's window painted into `dc` over `target`; returns
// the inner rectangle Paint reports (right and bottom as edges).
RECT PaintFrame(Qel_SkinClass& renderer, HDC dc, RECT target, HMENU menu = nullptr);

// A probe window (see tests/support/Handlers.h) with a renderer attached.
struct SkinnedForm {
    UniqueWindow window;
    HWND hwnd = nullptr;
    ComPtr<Qel_SkinClass> renderer;

    // Attaches `config` to a new probe window; shown (and brought to the front)
    // after the attachment when `visible`.
    static SkinnedForm Create(Qel_SkinConfig* config, RECT at, bool visible = false);
    // Attaches (again) with `config`.
    HRESULT Attach(Qel_SkinConfig* config);
    // Tells the window (and so the renderer) that it is active or in-active.
    void SetActiveLook(bool active) const;
    RECT Rect() const;
    // A point relative to the window's top-left corner, in screen pixels.
    POINT At(int x, int y) const;
};

// Counts the renderer's events and lets a test answer the by-reference ones.
class EventRecorder {
public:
    explicit EventRecorder(Qel_SkinClass* renderer);
    int Count(DISPID id) const;
    // Called with the by-reference Boolean of Unload and ActiveStatus.
    std::function<void(DISPID, VARIANT_BOOL&)> answer;

private:
    std::map<DISPID, int> counts_;
    EventConnection connection_;
};

} // namespace qel::test
