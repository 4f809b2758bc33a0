// The control site end to end with the test control: creation through a class
// factory (the DLL's own, or a registered class), stored properties in, ambient
// UserMode, the extender with the form as Parent, events to handlers, late-bound
// calls, property notifications, and teardown when the form unloads.
#include <windows.h>
#include <ocidl.h>
#include <initguid.h>
#include "FormsTestControl_h.h"

#include "base/Bstr.h"
#include "base/LateBound.h"
#include "base/TypeName.h"
#include "forms/ActiveXControl.h"
#include "forms/ActiveXSource.h"
#include "forms/App.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/Picture.h"
#include "forms/PropertyBag.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

const char kDll[] = "FormsTestControl.dll";

// Instances of the test control alive, and how many were closed.
std::pair<LONG, LONG> Counters() {
    using Fn = void (*)(LONG*, LONG*);
    HMODULE dll = GetModuleHandleA(kDll);
    if (!dll) return {0, 0};
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "FormsTestCounters")));
    LONG alive = 0, closed = 0;
    fn(&alive, &closed);
    return {alive, closed};
}

// A red 24 x 12 bitmap picture.
Picture RedPicture() {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 24, 12));
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    {
        Selection s(dc.get(), bitmap.get());
        RECT all{0, 0, 24, 12};
        UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc.get(), &all, red.get());
    }
    return PictureFromBitmap(std::move(bitmap));
}

class HostForm : public Form {
public:
    HostForm(ActiveXSource source, ComPtr<PropertyBag> bag)
        : Form("HostForm"), source_(std::move(source)), bag_(std::move(bag)) {}
    Label* Label1 = nullptr;
    ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    void Design() override {
        Caption("Host Form");
        BackColor(0x00112233);
        ClientSize(4800, 2400);
        StartUp(StartUpPosition::CenterScreen);
        Label1 = Add<Label>("Label1", 120, 120, 1200, 240);
        Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", source_, bag_.get());
    }

private:
    ActiveXSource source_;
    ComPtr<PropertyBag> bag_;
};

ActiveXSource FromDll() {
    return ActiveXSource::FromDll(kDll, CLSID_FormsTestCtrl);
}

std::wstring Text(const Variant& v) {
    return Widen(ValueOf<std::string>(v));
}

class ActiveXTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (Form* f : std::vector<Form*>(Form::LoadedForms()))
            f->Unload();
        qel::test::PumpUntilIdle();
    }
};

TEST_F(ActiveXTest, TheControlLoadsTheFormsStoredPropertiesPicturesIncluded) {
    HostForm form(
        FromDll(),
        PropertyBag::With({{L"Caption", L"Stored"}, {L"number", 42}, {L"Picture", RedPicture()}}));
    form.Show();
    ActiveXControl& control = *form.Qel_SkinCtrl1;
    EXPECT_EQ(Text(control.Call(L"Caption")), L"Stored");
    EXPECT_EQ(ValueOf<long>(control.Call(L"Number")), 42);
    EXPECT_EQ(ValueOf<long>(control.Call(L"PictureWidth")), 24);
    EXPECT_TRUE(ValueOf<bool>(control.Call(L"UserMode"))) << "run time";
    EXPECT_EQ(ValueOf<long>(control.Call(L"ParentColourAtLoad")), 0x00112233)
        << "the control reached its form while it read its properties";
    control.UserMode(false);
    EXPECT_FALSE(ValueOf<bool>(control.Call(L"UserMode")));
}

TEST_F(ActiveXTest, ANewlyPlacedControlIsInitialised) {
    HostForm form(FromDll(), nullptr);
    form.Show();
    EXPECT_EQ(Text(form.Qel_SkinCtrl1->Call(L"Caption")), L"New");
    EXPECT_EQ(ValueOf<long>(form.Qel_SkinCtrl1->Call(L"Number")), 7);
}

TEST_F(ActiveXTest, TheExtendersParentIsTheForm) {
    HostForm form(FromDll(), nullptr);
    form.Show();
    ActiveXControl& control = *form.Qel_SkinCtrl1;
    EXPECT_EQ(Text(control.Call(L"ExtenderName")), L"Qel_SkinCtrl1");
    EXPECT_EQ(Text(control.Call(L"ParentCaption")), L"Host Form");
    // The control walks its form's controls; itself among them under its own class.
    EXPECT_EQ(Text(control.Call(L"ParentControls")), L"Label1:Label;Qel_SkinCtrl1:FormsTestCtrl;");

    control.Call(L"PaintParent", {0x000000FFL});
    EXPECT_EQ(form.BackColor(), 0x000000FFu);
    qel::test::PumpUntilIdle();
    POINT p = test::ClientPoint(form.hWnd(), 200, 100);
    EXPECT_EQ(qel::test::ScreenPixel(p.x, p.y), RGB(255, 0, 0));

    // The extender in front of the control: its own members, then the control's.
    IDispatch* extender = control.Object();
    Variant name, number, object;
    ASSERT_TRUE(GetProperty(extender, L"Name", name.put()));
    EXPECT_EQ(std::wstring(V_BSTR(name.ptr())), L"Qel_SkinCtrl1");
    ASSERT_TRUE(GetProperty(extender, L"Number", number.put()));
    EXPECT_EQ(V_I4(number.ptr()), 7);
    ASSERT_TRUE(GetProperty(extender, L"Object", object.put()));
    EXPECT_EQ(ComPtr<IDispatch>(V_DISPATCH(object.ptr())).identity(),
              ComPtr<IDispatch>(control.ControlObject()).identity());
    EXPECT_EQ(TypeName(extender), L"FormsTestCtrl");
}

TEST_F(ActiveXTest, EventsReachTheirHandlersByName) {
    HostForm form(FromDll(), nullptr);
    form.Show();
    ActiveXControl& control = *form.Qel_SkinCtrl1;
    long progress = 0;
    bool cancelAsked = false;
    control.On(L"Changed", [&](EventArgs& args) {
        cancelAsked = !ValueOf<bool>(args.Value(0));
        args.Set(0, true); // a by-reference argument, changed for the control
    });
    control.On(L"Progress", [&](EventArgs& args) { progress = ValueOf<long>(args.Value(0)); });
    EXPECT_TRUE(ValueOf<bool>(control.Call(L"Raise", {5})));
    EXPECT_TRUE(cancelAsked);
    EXPECT_EQ(progress, 5);
    try {
        control.On(L"NoSuchEvent", [](EventArgs&) {});
        FAIL() << "an unknown event is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kNotSupported);
    }
}

TEST(EventArgsTest, AByReferenceStringTakesTheNewValueConverted) {
    Bstr text;
    BSTR* slot = text.put();
    *slot = SysAllocString(L"old");
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&arg) = slot;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    EventArgs args(params);
    args.Set(0, 42L);
    EXPECT_EQ(text.str(), L"42");
    args.Set(0, Variant(L"new"));
    EXPECT_EQ(ValueOf<std::string>(args.Value(0)), "new");
}

TEST_F(ActiveXTest, MembersAreCalledByNameOrDispatchIdentifier) {
    HostForm form(FromDll(), nullptr);
    form.Show();
    ActiveXControl& control = *form.Qel_SkinCtrl1;
    std::vector<DISPID> changed;
    control.OnPropertyChanged = [&](DISPID id) { changed.push_back(id); };

    EXPECT_EQ(ValueOf<long>(control.Call(L"Add", {2, 3})), 5);
    EXPECT_EQ(ValueOf<long>(control.Call(L"Add", {2})), 2) << "an optional argument left out";
    EXPECT_EQ(ValueOf<long>(control.Call(control.IdOf(L"Add"), {4, 4})), 8);
    control.Let(L"Number", 9);
    control.Set(L"Picture", RedPicture());
    EXPECT_EQ(ValueOf<long>(control.Call(L"Number")), 9);
    EXPECT_EQ(changed, (std::vector<DISPID>{2, 3}));

    try {
        control.Call(L"Fail");
        FAIL() << "the control's error reaches the caller";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(static_cast<unsigned long>(e.Number()), 0x800404D2ul);
        EXPECT_STREQ(e.what(), "Test failure");
    }
    EXPECT_THROW(control.Call(L"NoSuchMember"), RuntimeError);

    ComPtr<PropertyBag> saved = control.SaveProperties();
    EXPECT_EQ(saved->Count(), 1u);
    EXPECT_EQ(ValueOf<long>(saved->Value(L"Number")), 9);
}

TEST_F(ActiveXTest, UnloadingTheFormClosesAndReleasesTheControl) {
    auto [aliveBefore, closedBefore] = Counters();
    ComPtr<IDispatch> extender;
    {
        HostForm form(FromDll(), nullptr);
        form.Show();
        extender = ComPtr<IDispatch>(form.Qel_SkinCtrl1->Object());
        EXPECT_EQ(Counters().first, aliveBefore + 1);
        form.Unload();
        EXPECT_EQ(Counters().first, aliveBefore) << "released with the form";
        EXPECT_EQ(Counters().second, closedBefore + 1) << "closed before it was released";
    }
    // An extender kept by a client answers nothing more, safely.
    Variant name;
    EXPECT_FALSE(GetProperty(extender.get(), L"Name", name.put()));
    EXPECT_FALSE(GetProperty(extender.get(), L"Number", name.put()));
}

// The test control registered as a class of the test's Wine prefix while it lives.
class Registration {
public:
    Registration() {
        StringFromGUID2(CLSID_FormsTestCtrl, clsid, 64);
        std::string dll = App::Path() + "\\" + kDll;
        Set(kProgId + std::string("\\CLSID"), nullptr, Narrow(clsid));
        Set(Key() + "\\InprocServer32", nullptr, dll);
        Set(Key() + "\\InprocServer32", "ThreadingModel", "Apartment");
    }
    ~Registration() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, Key().c_str());
    }
    static constexpr char kProgId[] = "QelForms.TestCtrl";
    wchar_t clsid[64] = {};

private:
    std::string Key() const { return "CLSID\\" + Narrow(clsid); }
    static void Set(const std::string& path, const char* name, const std::string& value) {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, path.c_str(), name, REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
};

TEST_F(ActiveXTest, ARegisteredClassIsCreatedByItsProgrammaticOrClassIdentifier) {
    Registration registration;
    for (const std::wstring& id :
         {Widen(Registration::kProgId), std::wstring(registration.clsid)}) {
        HostForm form(ActiveXSource::FromProgId(id), nullptr);
        form.Show();
        EXPECT_EQ(ValueOf<long>(form.Qel_SkinCtrl1->Call(L"Number")), 7);
        form.Unload();
    }
}

TEST_F(ActiveXTest, AControlThatCannotBeMadeIsAClearErrorAndTheFormStaysUnloaded) {
    HostForm missing(
        ActiveXSource::FromProgIdOrDll(L"No.Such.Class", "NoSuch.dll", CLSID_FormsTestCtrl),
        nullptr);
    try {
        missing.Show();
        FAIL() << "the form cannot load without its control";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kCannotCreateObject);
        EXPECT_NE(std::string(e.what()).find("No.Such.Class"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("NoSuch.dll"), std::string::npos);
    }
    EXPECT_FALSE(missing.Loaded());
    EXPECT_TRUE(Form::LoadedForms().empty());

    // An unregistered class falls back on the DLL.
    HostForm fallback(ActiveXSource::FromProgIdOrDll(L"No.Such.Class", kDll, CLSID_FormsTestCtrl),
                      nullptr);
    fallback.Show();
    EXPECT_TRUE(fallback.Qel_SkinCtrl1->Unknown());
}

} // namespace
} // namespace qel::forms
