// A container for the skin control in tests: a real window standing for the
// host form, an automation object for it with the members the control reads
// and writes late-bound, controls on it, and a client site with ambient
// properties, an extender whose Parent is the form, and a property bag.
#pragma once
#include "base/ComObject.h"
#include "base/Events.h"
#include "base/Handle.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qel::test {

// An automation object whose members are C++ functions: properties (a getter
// and, for writable ones, a setter) and methods. Its type name is what
// IDispatch::GetTypeInfo reports.
class ScriptObject final : public ComObject<ScriptObject, IDispatch> {
public:
    using Getter = std::function<VARIANT()>;
    using Setter = std::function<void(const VARIANT&)>;
    using Method = std::function<VARIANT(const std::vector<VARIANT>&)>;

    explicit ScriptObject(std::wstring typeName) : typeName_(std::move(typeName)) {}
    ~ScriptObject() override {
        for (auto& [name, v] : fields_)
            VariantClear(&v);
    }

    void Property(const std::wstring& name, Getter get, Setter set = nullptr);
    void Function(const std::wstring& name, Method method);
    // A property holding a value of its own (a plain field), readable and writable.
    void Field(const std::wstring& name, VARIANT initial);
    VARIANT FieldValue(const std::wstring& name) const;
    void SetField(const std::wstring& name, const VARIANT& value);

    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    struct Member {
        std::wstring name;
        Getter get;
        Setter set;
        Method call;
    };
    Member* Find(const std::wstring& name);
    std::wstring typeName_;
    std::vector<Member> members_;
    std::map<std::wstring, VARIANT> fields_;
};

VARIANT Long(LONG v);
VARIANT Double(double v);
VARIANT Text(const wchar_t* s);
VARIANT Object(IDispatch* d);
LONG AsLong(const VARIANT& v);

// A host control: Name, BackColor and ForeColor (when it has one), of a kind.
struct HostControl {
    std::wstring name, kind;
    OLE_COLOR back = 0, fore = 0;
    bool hasForeColor = true;
    ComPtr<ScriptObject> object;
};

// The host form and the control's site.
class TestHost {
public:
    // A visible (or hidden) top-level window of `clientW` x `clientH` pixels
    // at (x, y) with a sizable frame; `userMode` is the ambient UserMode.
    TestHost(int x, int y, int clientW, int clientH, bool visible = true, bool userMode = true);
    ~TestHost();

    HWND Window() const { return window_.get(); }
    IDispatch* Form() const { return form_.get(); }
    OLE_COLOR BackColor() const { return back_; }
    void SetBackColor(OLE_COLOR c) { back_ = c; }
    // The form's BackColor reads as an unsigned value (VT_UI4), as some hosts give it.
    void SetUnsignedBackColor(bool on) { unsignedBack_ = on; }
    HostControl& AddControl(const std::wstring& name, const std::wstring& kind, OLE_COLOR back,
                            OLE_COLOR fore, bool hasForeColor = true);
    HostControl& Control(const std::wstring& name);
    void SetMenu(HMENU menu);
    // The form's Icon property.
    void SetIcon(IPictureDisp* icon);
    // The form's icon (the window's small or big one) and its Icon property,
    // which does not own it; a null icon takes both away.
    void SetFormIcon(HICON icon, bool big);

    // Creates the skin control (through the library's class factory when
    // `module` is given, else in process) and puts it on the form: client site,
    // then the stored properties (InitNew when `bag` is empty).
    ComPtr<IDispatch> Place(IUnknown* control, const std::map<std::wstring, VARIANT>& bag,
                            bool initNew = false);
    // Saves the control's properties into a fresh bag.
    std::map<std::wstring, VARIANT> SaveBag();

    // Events raised by the control, and DISPIDs notified to IPropertyNotifySink.
    std::vector<std::pair<DISPID, std::vector<VARIANT>>> events;
    std::vector<DISPID> notifications;
    // Command identifiers that reached the form (WM_COMMAND).
    std::vector<WORD> commands;
    std::function<void(DISPID, DISPPARAMS&)> onEvent;
    // Runs when the control calls the form's Refresh.
    std::function<void()> onRefresh;

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    class Site;
    class Bag;
    class Notify;
    void BuildForm();

    UniqueWindow window_;
    ComPtr<ScriptObject> form_;
    OLE_COLOR back_ = 0x8000000F;
    bool unsignedBack_ = false;
    LONG scaleMode_ = 1;
    bool userMode_ = true;
    std::vector<HostControl> controls_;
    ComPtr<IUnknown> control_;
    ComPtr<IUnknown> site_;
    ComPtr<IUnknown> notifySink_;
    EventConnection eventConnection_;
    DWORD notifyCookie_ = 0;
    ComPtr<IConnectionPoint> notifyPoint_;
};

} // namespace qel::test
