#include "tests/renderer/SkinnedForm.h"
#include "base/WindowObject.h"
#include "tests/support/Handlers.h"
#include "tests/support/TestWindow.h"

#include <atomic>
#include <thread>

namespace qel::test {

Canvas::Canvas(int w, int h, COLORREF fill) : surface_(nullptr, w, h) {
    UniqueBrush brush(CreateSolidBrush(fill));
    RECT all{0, 0, w, h};
    FillRect(surface_.dc(), &all, brush.get());
}

RECT PaintFrame(Qel_SkinClass& renderer, HDC dc, RECT target, HMENU menu) {
    LONG left = target.left, top = target.top;
    LONG width = target.right - target.left, height = target.bottom - target.top;
    VARIANT m;
    VariantInit(&m);
    V_VT(&m) = VT_I4;
    V_I4(&m) = HandleToLong(menu);
    renderer.Paint(HandleToLong(dc), &left, &top, &width, &height, m);
    return {left, top, left + width, top + height};
}

SkinnedForm SkinnedForm::Create(Qel_SkinConfig* config, RECT at, bool visible) {
    SkinnedForm f;
    f.window = ProbeWindow::Create(at.left, at.top, at.right - at.left, at.bottom - at.top);
    f.hwnd = f.window.get();
    f.renderer = Qel_SkinClass::Create();
    f.Attach(config);
    if (visible) {
        ShowWindow(f.hwnd, SW_SHOW);
        SetForegroundWindow(f.hwnd);
        PumpUntilIdle();
    }
    return f;
}

HRESULT SkinnedForm::Attach(Qel_SkinConfig* config) {
    auto form = WindowObject::Create(hwnd);
    return renderer->Attach2(form.get(), config);
}

void SkinnedForm::SetActiveLook(bool active) const {
    SendMessageA(hwnd, WM_NCACTIVATE, active, 0);
}

RECT SkinnedForm::Rect() const {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

POINT SkinnedForm::At(int x, int y) const {
    const RECT r = Rect();
    return {r.left + x, r.top + y};
}

EventRecorder::EventRecorder(Qel_SkinClass* renderer)
    : connection_(renderer->Unknown(), DIID___Qel_SkinClass, [this](DISPID id, DISPPARAMS& p) {
          ++counts_[id];
          if (VARIANT_BOOL* value = ByRefBoolArg(p, 0); value && answer) answer(id, *value);
      }) {}

int EventRecorder::Count(DISPID id) const {
    auto it = counts_.find(id);
    return it == counts_.end() ? 0 : it->second;
}

} // namespace qel::test
