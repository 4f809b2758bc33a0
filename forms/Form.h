// A form: a top-level window written in C++ (no designer). A form class derives
// from Form and builds its controls, menus and hosted ActiveX controls in Design,
// which runs at every load; then OnLoad runs. Show loads the form when needed and
// shows it modeless or modal (modal disables the program's other forms and
// returns when the form is hidden or unloaded). Unload asks OnQueryUnload and
// OnUnload, then closes the hosted controls and destroys the controls and the
// window; a later Show loads the form afresh. The program's message loop
// (App::Run) ends when the last form is unloaded.
//
// Sizes and positions of a form are in twips; its controls are placed in its
// scale (ScaleMode twips or pixels). Form settings made in Design go back to
// their defaults when the form unloads; handlers stay. A form class looks so:
//
//   class SizeFrm : public Form {
//   public:
//       SizeFrm() : Form("SizeFrm") {}
//       CheckBox* Check2 = nullptr;
//       ActiveXControl* Qel_SkinCtrl1 = nullptr;
//   protected:
//       void Design() override {
//           Caption("...");
//           ClientSize(7095, 3945);                      // settings of the form first,
//           StartUp(StartUpPosition::CenterOwner);
//           Check2 = Add<CheckBox>("Check2", 1050, 1875, 1365, 195);
//           Check2->Caption("Skin Enabled");
//           Check2->Value(1);                            // no Click while building
//           Check2->OnClick = [this] { ... };
//           Menu* file = AddMenu("mnuFile", "&File");
//           file->Add("mnuExit", "E&xit")->OnClick = [this] { Unload(); };
//           Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", source,   // hosted controls last
//                                      PropertyBag::With({{L"FormMinWidth", 4700}}).get());
//           Qel_SkinCtrl1->On(L"Resize", [this](EventArgs&) { ... });
//           OnLoad = [this] { Qel_SkinCtrl1->Call(L"ActivateSkin"); };
//       }
//   };
//   ...
//   Default<SizeFrm>().Show(ShowMode::Modal);
#pragma once
#include "forms/DrawingSurface.h"
#include "forms/Automated.h"
#include "forms/MouseEvents.h"
#include "forms/Picture.h"
#include "forms/Screen.h"
#include "forms/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qel::forms {

class ActiveXControl;
class ActiveXSource;
class Control;
class ControlsCollection;
class Menu;
class PropertyBag;

enum class BorderStyle : short { None = 0, Sizable = 2, FixedDialog = 3 };
enum class StartUpPosition : short { Manual = 0, CenterOwner = 1, CenterScreen = 2, Default = 3 };
enum class WindowState : short { Normal = 0, Minimized = 1, Maximized = 2 };
enum class ShowMode : short { Modeless = 0, Modal = 1 };
enum class UnloadMode : short { ControlMenu = 0, Code = 1, AppWindows = 2 };

class Form : public Window, public DrawingSurface, public Automated, public MouseEvents {
public:
    explicit Form(std::string name);
    ~Form() override;

    const std::string& Name() const { return name_; }

    // ---- Life cycle ----
    void Load();
    bool Loaded() const { return loaded_; }
    // Loads when needed and shows the form; a modal show returns when the form is
    // hidden or unloaded. The owner (for centring, and of a modal form) defaults
    // to the active form.
    void Show(ShowMode mode = ShowMode::Modeless, Form* owner = nullptr);
    void Hide();
    // Shows the form as a child window of `box` (a picture box, say; its form stays
    // the active window): placed in the box's scale, maximised to fill it. It stays
    // there until it unloads, or until the box's form does (it unloads then too).
    void ShowInside(Container& box);
    // The container the form is shown inside, or null.
    Container* Host() const { return host_; }
    // False when OnQueryUnload or OnUnload cancelled.
    bool Unload(UnloadMode mode = UnloadMode::Code);
    // The forms loaded now, in load order.
    static const std::vector<Form*>& LoadedForms();

    // ---- Events ----
    std::function<void()> OnLoad;
    std::function<void(int& cancel, UnloadMode mode)> OnQueryUnload;
    std::function<void(int& cancel)> OnUnload;
    // Each time the form becomes the active window.
    std::function<void()> OnActivate;
    // Each time the size changes while the form is shown, and when it is first shown.
    std::function<void()> OnResize;
    // The form's own window receives the focus.
    std::function<void()> OnGotFocus;

    // ---- Appearance ----
    std::string Caption() const;
    void Caption(const std::string& caption);
    BorderStyle Border() const { return border_; }
    // The frame; the client size is kept.
    void Border(BorderStyle style);
    // The size of the client area in twips (the frame and menu bar come on top).
    void ClientSize(float width, float height);
    StartUpPosition StartUp() const { return startUp_; }
    void StartUp(StartUpPosition position) { startUp_ = position; }
    // The form's icon (big and small); no picture gives the program's icon. A
    // picture that is not an icon is refused (run-time error 380).
    void Icon(Picture icon);
    // The icon resource `id` of the program.
    void IconResource(int id);
    // The icon the form shows: its own, else the program's (none when the
    // program has no icon).
    Picture IconPicture() const;

    // ---- Position and size, in twips ----
    float Left() const;
    void Left(float left);
    float Top() const;
    void Top(float top);
    float Width() const;
    void Width(float width);
    float Height() const;
    void Height(float height);
    void Move(float left, float top, float width, float height);
    forms::WindowState WindowState() const;
    void WindowState(forms::WindowState state);
    bool Visible() const;
    // True shows the form (modeless), False hides it.
    void Visible(bool visible);
    bool Enabled() const;
    void Enabled(bool enabled);
    void Refresh();
    const std::string& Tag() const { return tag_; }
    void Tag(std::string tag) { tag_ = std::move(tag); }
    // The pointer over the form's own client area (not over its controls): Default
    // leaves the class's arrow, Custom shows MouseIcon.
    Pointer MousePointer() const { return pointer_; }
    void MousePointer(Pointer pointer);
    void MouseIcon(Picture icon) { mouseIcon_ = std::move(icon); }

    // ---- Controls and menus ----
    // Every control and menu, in the order they were made.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    // The control or menu of that name (case-insensitive), or null.
    Control* FindControl(const std::string& name) const;
    // A top-level menu on the menu bar.
    Menu* AddMenu(std::string name, std::string caption);
    // An ActiveX control, created from `source` and given its stored properties
    // (or none: a newly placed control).
    ActiveXControl* AddActiveX(std::string name, const ActiveXSource& source,
                               PropertyBag* properties = nullptr);

    // True while Design runs: controls raise no events then.
    bool Building() const { return building_; }

    HWND ClientWindow() const override { return hWnd(); }
    Form& OwnerForm() override { return *this; }

protected:
    // Builds the form's controls, menus and settings; runs at every load.
    virtual void Design() {}

    const IID& DispatchIid() const override { return DIID__Form; }
    HRESULT Invoke(DispatchCall& call) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class Container;
    friend class Menu;

    void AdoptControl(std::unique_ptr<Control> control);
    Menu* AdoptMenu(Menu* parent, std::string name, std::string caption);
    std::vector<Menu*>& TopMenus() { return menus_; }
    HMENU MenuBar() const { return bar_.get(); }
    // Puts the menu bar on the window when a top-level menu is visible, else takes it off.
    void UpdateMenuBar();
    void ApplyClientSize();
    // The window style of the border, as a child window when shown inside a box.
    DWORD WindowStyle() const;
    // Between pixels and the scale of the position: the host's, or twips.
    float OuterFromPixels(int pixels, bool horizontal) const;
    int OuterToPixels(float v, bool horizontal) const;
    void ApplyIcon();
    void Place(HWND owner);
    void RunModal(HWND owner);
    void EndModal();
    void TearDown();
    Menu* MenuOfCommand(UINT id) const;
    // Runs an event handler (from a copy) unless the form is being built.
    void Raise(const std::function<void()>& handler);
    // Raises Resize when the form is shown, or when its client size changed since
    // the last Resize.
    void RaiseResize(bool shown);
    // Throws "object was unloaded" when the form is not loaded.
    void RequireLoaded() const;

    std::string name_;
    std::string tag_;
    bool loaded_ = false, building_ = false, placed_ = false, unloading_ = false;
    BorderStyle border_ = BorderStyle::Sizable;
    StartUpPosition startUp_ = StartUpPosition::Default;
    static constexpr float kDefaultClientWidth = 4680, kDefaultClientHeight = 3090; // twips
    float clientWidth_ = kDefaultClientWidth, clientHeight_ = kDefaultClientHeight;
    forms::WindowState shownState_ = forms::WindowState::Normal;
    Picture icon_;
    Pointer pointer_ = Pointer::Default;
    Picture mouseIcon_;
    SIZE resized_{-1, -1}; // the client size at the last Resize
    UniqueIcon smallIcon_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Control>> retired_; // the controls of the last load
    std::vector<Menu*> menus_;
    UniqueMenu bar_;
    UINT nextMenuId_ = 1;
    Container* host_ = nullptr;
    std::vector<HWND> disabledByModal_;
    bool modal_ = false;
    std::unique_ptr<ControlsCollection> collection_;
};

// The default instance of a form class: made on first use, kept for the program's
// life (loaded, unloaded and loaded again as it is shown and closed).
template <class F> F& Default() {
    static F form;
    return form;
}

} // namespace qel::forms
