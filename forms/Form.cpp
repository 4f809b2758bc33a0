#include "forms/Form.h"
#include "base/MessagePump.h"
#include "base/Twips.h"
#include "forms/ActiveXControl.h"
#include "forms/App.h"
#include "forms/CommonMembers.h"
#include "forms/ControlsCollection.h"
#include "forms/Menu.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

#include <algorithm>

namespace qel::forms {
namespace {

constexpr long kAlreadyShown = 400;

std::vector<Form*>& Registry() {
    static std::vector<Form*> forms;
    return forms;
}

DWORD StyleOf(BorderStyle border) {
    switch (border) {
    case BorderStyle::None:
        return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::FixedDialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
    case BorderStyle::Sizable:
        break;
    }
    return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

DWORD ExStyleOf(BorderStyle border) {
    return border == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT
                                              : WS_EX_CONTROLPARENT;
}

// The loaded form whose window is active, other than `except`.
Form* ActiveForm(const Form* except) {
    HWND active = GetActiveWindow();
    for (Form* form : Registry())
        if (form != except && form->hWnd() == active) return form;
    return nullptr;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

} // namespace

Form::Form(std::string name) : DrawingSurface(kButtonFace, kButtonText), name_(std::move(name)) {}

Form::~Form() {
    if (loaded_) TearDown();
}

const std::vector<Form*>& Form::LoadedForms() {
    return Registry();
}

// ---- Life cycle ----

void Form::Load() {
    if (loaded_) return;
    retired_.clear();
    CreateWindowOf(OwnClass("QelForm", CS_DBLCLKS | CS_OWNDC), name_.c_str(), StyleOf(border_),
                   ExStyleOf(border_), nullptr, {0, 0, 320, 240});
    loaded_ = true;
    Registry().push_back(this);
    try {
        building_ = true;
        Design();
        building_ = false;
        ApplyIcon();
        ApplyClientSize();
        FitImage();
        if (OnLoad) OnLoad();
    } catch (...) {
        building_ = false;
        TearDown();
        throw;
    }
}

void Form::Show(ShowMode mode, Form* owner) {
    Load();
    if (mode == ShowMode::Modal && Visible())
        throw RuntimeError(kAlreadyShown, "Form already displayed; can't show modally");
    if (host_) {
        if (mode == ShowMode::Modal)
            throw RuntimeError(kInvalidCall, "A form shown inside a box cannot be shown modally");
        if (!Visible()) RaiseResize(true);
        if (loaded_)
            ShowWindow(hWnd(),
                       shownState_ == forms::WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNA);
        return;
    }
    if (!owner) owner = ActiveForm(this);
    HWND ownerWindow = owner && owner->Loaded() ? owner->hWnd() : nullptr;
    if (!placed_) {
        Place(ownerWindow);
        placed_ = true;
    }
    if (mode == ShowMode::Modal && ownerWindow)
        SetWindowLongPtrA(hWnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
    // Resize comes before the form is first seen (handlers place its controls).
    if (!Visible()) RaiseResize(true);
    if (!loaded_) return;
    int command = SW_SHOW;
    if (shownState_ == forms::WindowState::Minimized) command = SW_SHOWMINIMIZED;
    if (shownState_ == forms::WindowState::Maximized) command = SW_SHOWMAXIMIZED;
    ShowWindow(hWnd(), command);
    SetForegroundWindow(hWnd());
    if (mode == ShowMode::Modal) RunModal(ownerWindow);
}

void Form::ShowInside(Container& box) {
    Load();
    if (host_ != &box) {
        const LONG_PTR visible = GetWindowLongPtrA(hWnd(), GWL_STYLE) & WS_VISIBLE;
        host_ = &box;
        SetWindowLongPtrA(hWnd(), GWL_STYLE, WindowStyle() | visible);
        SetParent(hWnd(), box.ClientWindow());
        SetWindowPos(hWnd(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    Show();
}

DWORD Form::WindowStyle() const {
    const DWORD style = StyleOf(border_);
    return host_ ? (style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS : style;
}

void Form::RunModal(HWND owner) {
    const InputHold::Lift lift; // the modal form takes input, whatever runs below it
    modal_ = true;
    for (Form* form : Registry())
        if (form != this && IsWindowEnabled(form->hWnd())) {
            EnableWindow(form->hWnd(), FALSE);
            disabledByModal_.push_back(form->hWnd());
        }
    MSG msg;
    while (loaded_ && IsWindowVisible(hWnd())) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : -1); // for the outer loop
            break;
        }
        App::Dispatch(msg);
    }
    EndModal();
    if (owner && IsWindow(owner) && IsWindowVisible(owner)) SetForegroundWindow(owner);
}

void Form::EndModal() {
    if (!modal_) return;
    modal_ = false;
    // The other forms come back before this one goes, so that one of them is activated.
    for (HWND disabled : disabledByModal_)
        if (IsWindow(disabled)) EnableWindow(disabled, TRUE);
    disabledByModal_.clear();
    if (hWnd()) SetWindowLongPtrA(hWnd(), GWLP_HWNDPARENT, 0);
}

void Form::Hide() {
    if (!loaded_) return;
    EndModal();
    ShowWindow(hWnd(), SW_HIDE);
}

bool Form::Unload(UnloadMode mode) {
    if (!loaded_ || unloading_) return true;
    int cancel = 0;
    if (OnQueryUnload) OnQueryUnload(cancel, mode);
    if (cancel) return false;
    if (OnUnload) OnUnload(cancel);
    if (cancel) return false;
    TearDown();
    return true;
}

void Form::TearDown() {
    unloading_ = true;
    EndModal();
    ShowWindow(hWnd(), SW_HIDE);
    // Hosted controls first: they may still reach the form and its controls.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (auto* hosted = dynamic_cast<ActiveXControl*>(it->get())) hosted->Close();
    // Forms shown inside this form's boxes go with it.
    for (Form* form : std::vector<Form*>(Registry()))
        if (form != this && form->host_ && &form->host_->OwnerForm() == this) form->TearDown();
    // Forms that this one owns stay (the window would take them with it).
    for (Form* form : Registry())
        if (form != this && GetWindow(form->hWnd(), GW_OWNER) == hWnd())
            SetWindowLongPtrA(form->hWnd(), GWLP_HWNDPARENT, 0);
    // Items go before their menus, controls before their containers. Menus go at
    // once; the other controls are retired and kept until the next load, so that
    // code still holding them gets run-time error 364, not a dangling pointer.
    while (!controls_.empty()) {
        std::unique_ptr<Control> control = std::move(controls_.back());
        controls_.pop_back();
        if (dynamic_cast<Menu*>(control.get())) continue;
        control->Retire();
        retired_.push_back(std::move(control));
    }
    ForgetChildren();
    SetMenu(hWnd(), nullptr);
    bar_.reset();
    AutoRedraw(false);
    DestroyOwnWindow();
    smallIcon_.reset();

    // A form loads again from its design: the settings go back to their defaults.
    back_.Set(kButtonFace);
    fore_ = kButtonText;
    ScaleMode(Scale::Twips);
    border_ = BorderStyle::Sizable;
    startUp_ = StartUpPosition::Default;
    clientWidth_ = kDefaultClientWidth;
    clientHeight_ = kDefaultClientHeight;
    shownState_ = forms::WindowState::Normal;
    host_ = nullptr;
    icon_.reset();
    pointer_ = Pointer::Default;
    mouseIcon_.reset();
    tag_.clear();
    nextMenuId_ = 1;

    loaded_ = placed_ = false;
    auto& forms = Registry();
    forms.erase(std::find(forms.begin(), forms.end(), this));
    unloading_ = false;
    if (forms.empty()) App::Wake();
}

void Form::Place(HWND owner) {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT work = WorkArea();
    RECT around = work;
    int x = r.left, y = r.top;
    switch (startUp_) {
    case StartUpPosition::Manual:
        return;
    case StartUpPosition::CenterOwner:
        if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &around);
        [[fallthrough]];
    case StartUpPosition::CenterScreen:
        x = around.left + (around.right - around.left - w) / 2;
        y = around.top + (around.bottom - around.top - h) / 2;
        break;
    case StartUpPosition::Default: {
        const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
        const int n = static_cast<int>(Registry().size()) - 1;
        x = work.left + step * (1 + n % 8);
        y = work.top + step * (1 + n % 8);
        break;
    }
    }
    // The caption stays on the work area.
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
    SetWindowPos(hWnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Appearance ----

std::string Form::Caption() const {
    return WindowText(hWnd());
}

void Form::Caption(const std::string& caption) {
    SetWindowTextA(hWnd(), caption.c_str());
}

void Form::Border(BorderStyle style) {
    border_ = style;
    if (!loaded_) return;
    LONG_PTR visible = GetWindowLongPtrA(hWnd(), GWL_STYLE) & WS_VISIBLE;
    SetWindowLongPtrA(hWnd(), GWL_STYLE, WindowStyle() | visible);
    SetWindowLongPtrA(hWnd(), GWL_EXSTYLE, ExStyleOf(style));
    ApplyClientSize();
}

void Form::ClientSize(float width, float height) {
    clientWidth_ = width;
    clientHeight_ = height;
    if (loaded_) ApplyClientSize();
}

void Form::ApplyClientSize() {
    RECT r{0, 0, PixelsFromTwipsX(clientWidth_), PixelsFromTwipsY(clientHeight_)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(hWnd(), GWL_STYLE)),
                       GetMenu(hWnd()) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(hWnd(), GWL_EXSTYLE)));
    SetWindowPos(hWnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::Icon(Picture icon) {
    if (icon && PictureType(icon.get()) != PICTYPE_ICON)
        throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    icon_ = std::move(icon);
    if (loaded_) ApplyIcon();
}

void Form::IconResource(int id) {
    auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!icon) throw RuntimeError(kInvalidPicture, "No icon resource " + std::to_string(id));
    Icon(PictureFromIcon(UniqueIcon(icon)));
}

namespace {

// The program's icon (resource 1) at cx x cy pixels (0: the default size); a
// shared icon, never freed.
HICON ProgramIcon(int cx = 0, int cy = 0) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON,
                                         cx, cy, LR_DEFAULTSIZE | LR_SHARED));
}

} // namespace

void Form::ApplyIcon() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HANDLE big = nullptr, small = nullptr;
    if (icon_) {
        big = PictureHandle(icon_.get());
        smallIcon_.reset(
            static_cast<HICON>(CopyImage(big, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
        small = smallIcon_.get();
    } else {
        big = ProgramIcon();
        small = ProgramIcon(cx, cy);
        smallIcon_.reset();
    }
    SendMessageA(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

Picture Form::IconPicture() const {
    if (icon_) return icon_;
    // A copy of the shared program icon, which the picture may free.
    HICON shared = ProgramIcon();
    return shared ? PictureFromIcon(UniqueIcon(CopyIcon(shared))) : nullptr;
}

// ---- Position and size ----

namespace {

RECT PlacementOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

float Form::OuterFromPixels(int pixels, bool horizontal) const {
    if (host_) return horizontal ? host_->FromPixelsX(pixels) : host_->FromPixelsY(pixels);
    return static_cast<float>(pixels * (horizontal ? TwipsPerPixelX() : TwipsPerPixelY()));
}

int Form::OuterToPixels(float v, bool horizontal) const {
    if (host_) return horizontal ? host_->ToPixelsX(v) : host_->ToPixelsY(v);
    return horizontal ? PixelsFromTwipsX(v) : PixelsFromTwipsY(v);
}

float Form::Left() const {
    return OuterFromPixels(PlacementOf(hWnd()).left, true);
}
float Form::Top() const {
    return OuterFromPixels(PlacementOf(hWnd()).top, false);
}
float Form::Width() const {
    RECT r = PlacementOf(hWnd());
    return OuterFromPixels(r.right - r.left, true);
}
float Form::Height() const {
    RECT r = PlacementOf(hWnd());
    return OuterFromPixels(r.bottom - r.top, false);
}
void Form::Left(float left) {
    Move(left, Top(), Width(), Height());
}
void Form::Top(float top) {
    Move(Left(), top, Width(), Height());
}
void Form::Width(float width) {
    Move(Left(), Top(), width, Height());
}
void Form::Height(float height) {
    Move(Left(), Top(), Width(), height);
}

void Form::Move(float left, float top, float width, float height) {
    RECT now = PlacementOf(hWnd());
    const int x = OuterToPixels(left, true), y = OuterToPixels(top, false);
    // Placed by code: the start-up position no longer applies. A move that only
    // resizes (as a skin does when it grows the frame) leaves it in force.
    if (x != now.left || y != now.top) placed_ = true;
    SetWindowPos(hWnd(), nullptr, x, y, OuterToPixels(width, true), OuterToPixels(height, false),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

forms::WindowState Form::WindowState() const {
    if (!Visible()) return shownState_;
    if (IsIconic(hWnd())) return forms::WindowState::Minimized;
    if (IsZoomed(hWnd())) return forms::WindowState::Maximized;
    return forms::WindowState::Normal;
}

void Form::WindowState(forms::WindowState state) {
    shownState_ = state;
    if (!Visible()) return;
    ShowWindow(hWnd(), state == forms::WindowState::Minimized   ? SW_MINIMIZE
                       : state == forms::WindowState::Maximized ? SW_MAXIMIZE
                                                                : SW_RESTORE);
}

bool Form::Visible() const {
    return hWnd() && (GetWindowLongPtrA(hWnd(), GWL_STYLE) & WS_VISIBLE);
}

void Form::Visible(bool visible) {
    visible ? Show() : Hide();
}

bool Form::Enabled() const {
    return IsWindowEnabled(hWnd()) != FALSE;
}

void Form::Enabled(bool enabled) {
    EnableWindow(hWnd(), enabled);
}

void Form::Refresh() {
    RedrawWindow(hWnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Form::MousePointer(Pointer pointer) {
    pointer_ = pointer;
    // Shown at once when the mouse is over the form.
    POINT p{};
    GetCursorPos(&p);
    if (loaded_ && WindowFromPoint(p) == hWnd())
        SendMessageA(hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd()), HTCLIENT);
}

// ---- Controls and menus ----

Control* Form::FindControl(const std::string& name) const {
    for (const auto& control : controls_)
        if (_stricmp(control->Name().c_str(), name.c_str()) == 0) return control.get();
    return nullptr;
}

void Form::AdoptControl(std::unique_ptr<Control> control) {
    controls_.push_back(std::move(control));
}

Menu* Form::AddMenu(std::string name, std::string caption) {
    if (!bar_) bar_.reset(CreateMenu());
    return AdoptMenu(nullptr, std::move(name), std::move(caption));
}

Menu* Form::AdoptMenu(Menu* parent, std::string name, std::string caption) {
    auto menu =
        std::make_unique<Menu>(*this, parent, std::move(name), std::move(caption), nextMenuId_++);
    Menu* raw = menu.get();
    AdoptControl(std::move(menu));
    return raw;
}

void Form::UpdateMenuBar() {
    if (!loaded_ || !bar_) return;
    bool shown = std::any_of(menus_.begin(), menus_.end(), [](Menu* m) { return m->Visible(); });
    HMENU current = GetMenu(hWnd());
    if (shown && current != bar_.get())
        SetMenu(hWnd(), bar_.get());
    else if (!shown && current == bar_.get())
        SetMenu(hWnd(), nullptr);
    else // the bar changed, also where a frame that took it over from the window draws it
        DrawMenuBar(hWnd());
}

Menu* Form::MenuOfCommand(UINT id) const {
    for (const auto& control : controls_)
        if (auto* menu = dynamic_cast<Menu*>(control.get()); menu && menu->Id() == id) return menu;
    return nullptr;
}

ActiveXControl* Form::AddActiveX(std::string name, const ActiveXSource& source,
                                 PropertyBag* properties) {
    auto control = std::make_unique<ActiveXControl>(*this, std::move(name));
    control->Create(source, properties);
    ActiveXControl* raw = control.get();
    AdoptControl(std::move(control));
    return raw;
}

// ---- Messages ----

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Unload(UnloadMode::ControlMenu);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0)
            if (Menu* menu = MenuOfCommand(LOWORD(wParam))) {
                menu->Clicked();
                return 0;
            }
        break;
    case WM_SIZE:
        FitImage();
        if (Visible() && wParam != SIZE_MINIMIZED) {
            LRESULT result = 0;
            HandleContainerMessage(msg, wParam, lParam, result); // aligned controls first
            RaiseResize(false);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // Activate comes before the focus moves (and GotFocus).
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            Raise(OnActivate);
            if (!loaded_) return 0; // the handler unloaded the form
        }
        break;
    case WM_SETFOCUS: {
        LRESULT result = Default(msg, wParam, lParam);
        Raise(OnGotFocus);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // A form inside a box takes the focus when pressed, as a top-level form
        // does when it is activated.
        if (host_ && GetFocus() != hWnd() && !IsChild(hWnd(), GetFocus())) {
            SetFocus(hWnd());
            if (!loaded_) return 0; // a GotFocus handler unloaded the form
        }
        break;
    case WM_SETCURSOR:
        if (pointer_ != Pointer::Default && reinterpret_cast<HWND>(wParam) == hWnd() &&
            LOWORD(lParam) == HTCLIENT) {
            SetCursor(Screen::Cursor(pointer_, mouseIcon_.get()));
            return TRUE;
        }
        break;
    }
    if (auto event = MouseEvent(hWnd(), msg, wParam, lParam, *this)) {
        Raise(event);
        return 0;
    }
    LRESULT result = 0;
    if (HandleContainerMessage(msg, wParam, lParam, result)) return result;
    return Default(msg, wParam, lParam);
}

// ---- Events ----

void Form::Raise(const std::function<void()>& handler) {
    if (!handler || building_) return;
    std::function<void()> running = handler; // it may unload the form
    running();
}

void Form::RaiseResize(bool shown) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    const SIZE size{client.right, client.bottom};
    if (!shown && size.cx == resized_.cx && size.cy == resized_.cy) return;
    resized_ = size;
    Raise(OnResize);
}

// ---- Automation ----

void Form::RequireLoaded() const {
    if (!loaded_) throw RuntimeError(kObjectUnloaded, "Object was unloaded");
}

HRESULT Form::Invoke(DispatchCall& call) {
    RequireLoaded();
    bool handled = false;
    HRESULT hr = InvokeSurface(call, handled);
    if (handled) return hr;
    if ((hr = InvokePlaced(*this, call)) != DISP_E_MEMBERNOTFOUND) return hr;
    if ((hr = InvokeNamed(*this, call)) != DISP_E_MEMBERNOTFOUND) return hr;
    switch (call.Id()) {
    case DISPID_FORMS_CAPTION:
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    case DISPID_FORMS_WINDOWSTATE:
        return call.Property<short>([&] { return static_cast<short>(WindowState()); },
                                    [&](short v) {
                                        if (v < 0 || v > 2)
                                            throw RuntimeError(kInvalidPropertyValue,
                                                               "Invalid property value");
                                        WindowState(static_cast<forms::WindowState>(v));
                                    });
    case DISPID_FORMS_ICON:
        return call.ReadOnly<ComPtr<IPictureDisp>>([&] { return IconPicture(); });
    case DISPID_FORMS_CONTROLS:
        return call.ReadOnly<ComPtr<IDispatch>>([&] {
            if (!collection_) collection_ = std::make_unique<ControlsCollection>(*this);
            return ComPtr<IDispatch>(collection_->Object());
        });
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace qel::forms
