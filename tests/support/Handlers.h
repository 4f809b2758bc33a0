// Test doubles for the hooking framework: a recording message handler and a
// flat-coloured implementation of the non-client interface.
#pragma once
#include "base/ComObject.h"
#include "typelib/QelTypeLib.h"

#include "base/Handle.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qel::test {

// Windows whose own procedure records what reaches it: it logs "prev:<message>"
// for user messages (answering 99), counts every message, runs an optional
// action, and ignores close requests and keyboard menu activation (so that a
// test pressing Alt never enters a modal menu loop).
struct ProbeWindow {
    static UniqueWindow Create(int x = 0, int y = 0, int w = 100, int h = 100,
                               bool visible = false);
    static void Reset();
    static std::vector<std::string>* log;
    static std::function<void(HWND, UINT, WPARAM, LPARAM)> action;
    static std::map<UINT, int> counts;
};

// A handler that logs "<name>:<message>" for every message it handles, answers
// a fixed response and result, and can run an action while it handles one.
class RecordingHandler final : public ComObject<RecordingHandler, _ISubclass> {
public:
    RecordingHandler(std::string name, std::vector<std::string>* log, EMsgResponse response,
                     LONG_PTR result = 0)
        : name_(std::move(name)), log_(log), response_(response), result_(result) {}

    STDMETHODIMP get_MsgResponse(EMsgResponse* r) override {
        *r = response_;
        ++responseAsked;
        return S_OK;
    }
    STDMETHODIMP put_MsgResponse(EMsgResponse) override { return S_OK; }
    STDMETHODIMP WindowProc(LONG, LONG msg, LONG_PTR wParam, LONG_PTR lParam,
                            LONG_PTR* r) override {
        if (log_) log_->push_back(name_ + ":" + std::to_string(msg));
        if (action) action(static_cast<UINT>(msg), wParam, lParam);
        *r = result_;
        return S_OK;
    }
    _ISubclass* Itf() { return this; }

    std::function<void(UINT, WPARAM, LPARAM)> action;
    int responseAsked = 0;

private:
    std::string name_;
    std::vector<std::string>* log_;
    EMsgResponse response_;
    LONG_PTR result_;
};

// An implementation of the non-client interface that paints each margin in its
// own flat colour and records what it is asked.
class StubSkinArea final : public ComObject<StubSkinArea, _Qel_SkinAreaMod> {
public:
    static constexpr COLORREF kCaption = RGB(200, 30, 30);
    static constexpr COLORREF kLeft = RGB(30, 160, 30);
    static constexpr COLORREF kRight = RGB(30, 30, 200);
    static constexpr COLORREF kBottom = RGB(220, 200, 20);

    explicit StubSkinArea(HWND hwnd) : hwnd_(hwnd) {}

    STDMETHODIMP get_hwnd(LONG* r) override {
        *r = HandleToLong(hwnd_);
        return S_OK;
    }
    STDMETHODIMP GetTopMarginHeight(LONG* cy) override { return Margin(top, cy); }
    STDMETHODIMP GetLeftMarginWidth(LONG* cx) override { return Margin(left, cx); }
    STDMETHODIMP GetRightMarginWidth(LONG* cx) override { return Margin(right, cx); }
    STDMETHODIMP GetBottomMarginHeight(LONG* cy) override { return Margin(bottom, cy); }
    STDMETHODIMP NCPaint(LONG hdc, LONG l, LONG t, LONG r, LONG b) override;
    STDMETHODIMP HitTest(LONG x, LONG y, ECNCHitTestConstants* code) override {
        lastHitDefault = *code;
        if (hitTest) hitTest(x, y, *code);
        return S_OK;
    }
    STDMETHODIMP NCMouseDown(LONG x, LONG y, VARIANT_BOOL* handled, LONG, LONG, LONG, LONG,
                             LONG) override {
        mouseDowns.push_back({x, y});
        if (handleMouseDown) *handled = VARIANT_TRUE;
        return S_OK;
    }
    STDMETHODIMP NCMouseUp(LONG x, LONG y, LONG, LONG, LONG, LONG, LONG) override {
        mouseUps.push_back({x, y});
        return S_OK;
    }
    STDMETHODIMP InitMenuPopup(LONG, LONG) override {
        ++menuPopups;
        return S_OK;
    }
    STDMETHODIMP ExitMenuLoop() override {
        ++menuLoopExits;
        return S_OK;
    }
    STDMETHODIMP AltKeyAccelerator(LONG vKey, LONG* r) override {
        altKeys.push_back(vKey);
        *r = swallowAltKeys ? 1 : 0;
        return S_OK;
    }
    STDMETHODIMP get_Method(LONG* r) override {
        *r = method;
        return S_OK;
    }
    STDMETHODIMP get_CanSize(VARIANT_BOOL* r) override {
        *r = canSize ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    STDMETHODIMP get_CanClose(VARIANT_BOOL* r) override {
        *r = VARIANT_TRUE;
        return S_OK;
    }
    _Qel_SkinAreaMod* Itf() { return this; }

    // Margins; -1 leaves the system default that arrives.
    LONG left = 6, top = 30, right = 6, bottom = 6;
    LONG method = ECNCModifyNonClientArea;
    bool canSize = true;
    bool handleMouseDown = false;
    bool swallowAltKeys = true;
    std::function<void(LONG, LONG, ECNCHitTestConstants&)> hitTest;

    int paints = 0;
    RECT lastPaintRect{};
    ECNCHitTestConstants lastHitDefault{};
    std::vector<POINT> mouseDowns, mouseUps;
    std::vector<LONG> altKeys;
    int menuPopups = 0, menuLoopExits = 0;

private:
    static HRESULT Margin(LONG value, LONG* out) {
        if (value >= 0) *out = value;
        return S_OK;
    }
    HWND hwnd_;
};

} // namespace qel::test
