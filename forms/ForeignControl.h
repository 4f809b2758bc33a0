// A child window that other code makes and owns (the imaging library's canvas,
// say), placed on a form as a control: it has a name, a place in its container's
// scale, visibility, and a back colour kept for automation clients (the window
// draws itself). `T` makes its window with Create(parent, x, y, width, height),
// true when it could, and gives it out with hWnd(); the window goes with the T
// object, which lives as long as the control.
#pragma once
#include "forms/RuntimeError.h"
#include "forms/WindowControl.h"

#include <memory>

namespace qel::forms {

template <class T> class ForeignControl final : public WindowControl {
public:
    ForeignControl(Container& container, std::string name)
        : WindowControl(container, std::move(name), kButtonFace, kButtonText) {}
    ~ForeignControl() override { ReleaseOwnWindow(); }

    // The object that made the window.
    T& Inner() {
        RequireLive();
        return *object_;
    }
    // The window goes with the object.
    void Retire() override {
        ReleaseOwnWindow(); // the object destroys it
        WindowControl::Retire();
        object_.reset();
    }

protected:
    // Not used: the window comes from T.
    const char* ClassName() const override { return nullptr; }
    DWORD Style() const override { return 0; }
    HBRUSH ColorRequest(HDC) override { return nullptr; }
    const IID& DispatchIid() const override { return DIID__ForeignControl; }

private:
    friend class Container;

    void Create(const RECT& r) {
        if (!object_->Create(ParentContainer().ClientWindow(), r.left, r.top, r.right - r.left,
                             r.bottom - r.top) ||
            !object_->hWnd())
            throw RuntimeError(kCannotCreateObject, "Cannot create the control " + Name());
        AttachWindow(object_->hWnd());
    }

    std::unique_ptr<T> object_ = std::make_unique<T>();
};

} // namespace qel::forms
