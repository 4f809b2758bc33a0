// A control that shows one image (its public DIB) fitted into it or magnified
// by a whole-number zoom, centred, with the rest in the application-workspace
// colour; the user pans a larger image by dragging with the left button. Mouse
// activity is reported in image coordinates. A child window of its own class,
// "QelSkinCreator.ucCanvas"; the owner creates the window with Create.
#pragma once
#include "base/ComPtr.h"
#include "base/Handle.h"
#include "imaging/cDIB.h"

#include <cstdint>
#include <functional>

namespace qel {

class ucCanvas {
public:
    ucCanvas() = default;
    ucCanvas(const ucCanvas&) = delete;
    ucCanvas& operator=(const ucCanvas&) = delete;
    ~ucCanvas() = default;

    // Makes the control's window, a visible child of `parent`.
    bool Create(HWND parent, int x, int y, int width, int height, int id = 0);
    HWND hWnd() const { return window_.get(); }

    // Draws the image and the area around it now.
    void Repaint();
    // Recomputes where the image goes and how far it scrolls (no painting).
    void Resize();
    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled);
    // True: the whole image inside the control, shrunk when larger, never
    // enlarged. Takes effect at the next Resize and Repaint.
    bool FitMode() const { return fitMode_; }
    void FitMode(bool fitMode) { fitMode_ = fitMode; }
    // The mouse pointer of the custom work modes (an icon picture).
    ComPtr<IPicture> UserIcon() const { return userIcon_; }
    void UserIcon(IPicture* icon);
    // 0: dragging pans the image; any other value: a custom mode that shows the
    // user icon as the pointer and does not pan.
    int32_t WorkMode() const { return workMode_; }
    void WorkMode(int32_t workMode);
    // The magnification, 1 or more (a value below 1 is taken as 1). Takes
    // effect at the next Resize and Repaint.
    int32_t Zoom() const { return zoom_; }
    void Zoom(int32_t zoom) { zoom_ = zoom < 1 ? 1 : zoom; }

    // The image shown; destroying it empties the view.
    cDIB DIB;

    // Events. Buttons: 1 left, 2 right, 4 middle (MouseMove: those held down);
    // shift: 1 Shift, 2 Ctrl, 4 Alt; x and y in image pixels (outside the image
    // when the pointer is; 0 without an image).
    using MouseEvent = std::function<void(int16_t button, int16_t shift, int32_t x, int32_t y)>;
    MouseEvent MouseDown, MouseMove, MouseUp;
    std::function<void()> Scroll;      // a drag changed the scroll position
    std::function<void()> SizeChanged; // the control was resized and repainted

private:
    enum Pointer { kDefault = 0, kSizeAll = 15, kCustom = 99 };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void PaintBackground(HDC dc) const;
    void PaintImage(HDC dc) const;
    void UpdateLayout();
    void UpdateMousePointer();
    HCURSOR PointerCursor() const;
    int32_t ToImageX(int32_t x) const;
    int32_t ToImageY(int32_t y) const;
    // One direction of the control-to-image conversion.
    int32_t ToImage(int32_t at, int32_t imageStart, int32_t shown, int32_t imageSize,
                    int32_t scroll) const;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y);

    UniqueWindow window_;
    bool enabled_ = true;
    bool fitMode_ = false;
    int32_t workMode_ = 0;
    int32_t zoom_ = 1;
    ComPtr<IPicture> userIcon_;
    Pointer pointer_ = kDefault;

    // The image rectangle in the control, the scroll positions and their
    // maxima (pixels of the magnified image), and the previous ones that keep
    // the relative position when the layout changes.
    int32_t imageX_ = 0, imageY_ = 0, imageWidth_ = 0, imageHeight_ = 0;
    int32_t scrollX_ = 0, scrollY_ = 0, maxScrollX_ = 0, maxScrollY_ = 0;
    float previousScrollX_ = 0, previousScrollY_ = 0, previousMaxX_ = 0, previousMaxY_ = 0;
    bool leftDown_ = false;
    int32_t lastX_ = 0, lastY_ = 0;
};

} // namespace qel
