// Forms and controls as automation objects, as the skin control reaches them: by
// name through the type library, kinds told by class name, the Controls
// collection walked and recoloured, and errors reported as run-time errors.
#include "base/LateBound.h"
#include "base/TypeName.h"
#include "base/Variant.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/FileListBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/PropertyBag.h"
#include "forms/TextBox.h"
#include "tests/support/AllocationFaults.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cwctype>
#include <initializer_list>

namespace qel::forms {
namespace {

class KindsForm : public Form {
public:
    KindsForm() : Form("KindsForm") {}
    Label* Label1 = nullptr;
    CommandButton* Command1 = nullptr;
    TextBox* Text1 = nullptr;
    PictureBox* panelLeft = nullptr;
    PictureBox* Picture1 = nullptr;

protected:
    void Design() override {
        Caption("Kinds");
        ClientSize(6000, 3000);
        StartUp(StartUpPosition::CenterScreen);
        Label1 = Add<Label>("Label1", 100, 100, 1000, 200);
        Command1 = Add<CommandButton>("Command1", 100, 400, 1000, 400);
        Add<CheckBox>("Check1", 100, 900, 1000, 200);
        Add<OptionButton>("Option1", 100, 1200, 1000, 200);
        Add<Frame>("Frame1", 1300, 100, 1200, 800);
        Picture1 = Add<PictureBox>("Picture1", 1300, 1000, 1200, 800);
        panelLeft = Add<PictureBox>("panelLeft", 2600, 1000, 600, 800);
        panelLeft->BackColor(0x00C0FFC0);
        Text1 = Add<TextBox>("Text1", 2600, 100, 1200, 300);
        Add<ListBox>("List1", 3900, 100, 1000, 1000);
        Add<FileListBox>("File1", 3900, 1200, 1000, 1000);
        AddLine("Line1", 100, 2500, 2000, 2500);
        Add<Image>("Image1", 5000, 100, 300, 300);
        AddMenu("mnuFile", "&File")->Add("mnuTest", "Test");
    }
};

// A late-bound call with arguments in declared order; the HRESULT, the result and
// the error's number and description come back.
struct Outcome {
    HRESULT hr = E_FAIL;
    Variant result;
    long number = 0;
    std::wstring description;
};

Outcome Call(IDispatch* object, const wchar_t* name, WORD flags,
             std::initializer_list<Variant> args = {}) {
    Outcome out;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    if (FAILED(out.hr = object->GetIDsOfNames(IID_NULL, &n, 1, 0, &id))) return out;
    std::vector<VARIANTARG> reversed;
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back((--it)->get());
    DISPID named = DISPID_PROPERTYPUT;
    bool put = flags & DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, UINT(reversed.size()),
                      put ? 1u : 0u};
    EXCEPINFO ex{};
    out.hr = object->Invoke(id, IID_NULL, 0, flags, &params, put ? nullptr : out.result.put(), &ex,
                            nullptr);
    if (out.hr == DISP_E_EXCEPTION) {
        out.number = ex.scode & 0xFFFF;
        out.description = ex.bstrDescription ? ex.bstrDescription : L"";
        SysFreeString(ex.bstrDescription);
        SysFreeString(ex.bstrSource);
        SysFreeString(ex.bstrHelpFile);
    }
    return out;
}

long AsLong(const Variant& v) {
    Variant l;
    return SUCCEEDED(v.ChangeType(VT_I4, l)) ? V_I4(l.ptr()) : -999;
}

std::wstring AsText(const Variant& v) {
    Variant s;
    return SUCCEEDED(v.ChangeType(VT_BSTR, s)) ? V_BSTR(s.ptr()) : L"?";
}

class AutomationTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        object = ComPtr<IDispatch>(form.Object());
    }
    void TearDown() override {
        form.Unload();
        qel::test::PumpUntilIdle();
    }
    KindsForm form;
    ComPtr<IDispatch> object;
};

TEST_F(AutomationTest, AFormAnswersItsMembersByName) {
    EXPECT_EQ(TypeName(object.get()), L"Form");
    EXPECT_EQ(WindowOfForm(object.get()), form.hWnd());
    EXPECT_EQ(AsText(Call(object.get(), L"Name", DISPATCH_PROPERTYGET).result), L"KindsForm");
    EXPECT_EQ(AsText(Call(object.get(), L"caption", DISPATCH_PROPERTYGET).result), L"Kinds");

    ASSERT_EQ(Call(object.get(), L"BackColor", DISPATCH_PROPERTYPUT, {0x00FF0000L}).hr, S_OK);
    EXPECT_EQ(form.BackColor(), 0x00FF0000u);
    ASSERT_EQ(
        Call(object.get(), L"BackColor", DISPATCH_PROPERTYPUT, {static_cast<long>(kButtonFace)}).hr,
        S_OK);
    EXPECT_EQ(AsLong(Call(object.get(), L"BackColor", DISPATCH_PROPERTYGET).result),
              static_cast<long>(kButtonFace));

    EXPECT_EQ(AsLong(Call(object.get(), L"ScaleMode", DISPATCH_PROPERTYGET).result), 1);
    EXPECT_EQ(AsLong(Call(object.get(), L"ScaleWidth", DISPATCH_PROPERTYGET).result), 6000);
    ASSERT_EQ(Call(object.get(), L"ScaleMode", DISPATCH_PROPERTYPUT, {3L}).hr, S_OK);
    EXPECT_EQ(AsLong(Call(object.get(), L"ScaleWidth", DISPATCH_PROPERTYGET).result), 400);
    Call(object.get(), L"ScaleMode", DISPATCH_PROPERTYPUT, {1L});

    // Move with its optional arguments left out keeps those sides.
    float width = form.Width(), height = form.Height();
    ASSERT_EQ(Call(object.get(), L"Move", DISPATCH_METHOD, {1500.0, 1200.0}).hr, S_OK);
    EXPECT_EQ(form.Left(), 1500);
    EXPECT_EQ(form.Top(), 1200);
    EXPECT_EQ(form.Width(), width);
    ASSERT_EQ(
        Call(object.get(), L"Move", DISPATCH_METHOD, {1500.0, 1200.0, width + 300.0, height}).hr,
        S_OK);
    EXPECT_EQ(AsLong(Call(object.get(), L"Width", DISPATCH_PROPERTYGET).result), width + 300);
    EXPECT_EQ(Call(object.get(), L"Refresh", DISPATCH_METHOD).hr, S_OK);
    EXPECT_EQ(AsLong(Call(object.get(), L"WindowState", DISPATCH_PROPERTYGET).result), 0);
}

TEST_F(AutomationTest, EveryKindIsToldByItsClassName) {
    Variant controls;
    ASSERT_TRUE(GetProperty(object.get(), L"Controls", controls.put()));
    IDispatch* list = V_DISPATCH(controls.ptr());
    EXPECT_EQ(AsLong(Call(list, L"Count", DISPATCH_PROPERTYGET).result),
              static_cast<long>(form.Controls().size()));

    // Enumerated as For Each does it.
    Variant enumerator;
    DISPPARAMS none{};
    ASSERT_EQ(list->Invoke(DISPID_NEWENUM, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                           enumerator.put(), nullptr, nullptr),
              S_OK);
    auto items = ComPtr<IUnknown>(V_UNKNOWN(enumerator.ptr())).as<IEnumVARIANT>();
    ASSERT_TRUE(items);
    std::vector<std::wstring> seen;
    Variant item;
    ULONG fetched = 0;
    while (items->Next(1, item.put(), &fetched) == S_OK && fetched == 1) {
        Variant name;
        GetProperty(V_DISPATCH(item.ptr()), L"Name", name.put());
        seen.push_back(AsText(name) + L":" + TypeName(V_DISPATCH(item.ptr())));
    }
    EXPECT_EQ(seen,
              (std::vector<std::wstring>{
                  L"Label1:Label", L"Command1:CommandButton", L"Check1:CheckBox",
                  L"Option1:OptionButton", L"Frame1:Frame", L"Picture1:PictureBox",
                  L"panelLeft:PictureBox", L"Text1:TextBox", L"List1:ListBox", L"File1:FileListBox",
                  L"Line1:Line", L"Image1:Image", L"mnuFile:Menu", L"mnuTest:Menu"}));

    // Item by index and by name; the control's Parent is the form.
    Outcome byName = Call(list, L"Item", DISPATCH_PROPERTYGET, {L"text1"});
    ASSERT_EQ(byName.hr, S_OK);
    EXPECT_EQ(TypeName(V_DISPATCH(byName.result.ptr())), L"TextBox");
    Outcome byIndex = Call(list, L"Item", DISPATCH_PROPERTYGET, {1L});
    EXPECT_EQ(TypeName(V_DISPATCH(byIndex.result.ptr())), L"CommandButton");
    Variant parent;
    ASSERT_TRUE(GetProperty(V_DISPATCH(byIndex.result.ptr()), L"Parent", parent.put()));
    EXPECT_EQ(WindowOfForm(V_DISPATCH(parent.ptr())), form.hWnd());
    EXPECT_EQ(Call(list, L"Item", DISPATCH_PROPERTYGET, {L"Nothing"}).number, 381);
}

// The walk the skin control makes: candidates by name or kind get new colours;
// a command button has no fore colour, text and list boxes are left alone.
TEST_F(AutomationTest, AClientRecoloursControlsByNameAndKind) {
    Variant controls, count;
    GetProperty(object.get(), L"Controls", controls.put());
    IDispatch* list = V_DISPATCH(controls.ptr());
    GetProperty(list, L"Count", count.put());
    const OleColor back = 0x00804020, fore = 0x00FFFFFF;
    std::vector<std::wstring> refused;
    for (long i = 0; i < AsLong(count); ++i) {
        Variant item = Call(list, L"Item", DISPATCH_PROPERTYGET, {i}).result;
        IDispatch* control = V_DISPATCH(item.ptr());
        Variant nameValue;
        GetProperty(control, L"Name", nameValue.put());
        std::wstring name = AsText(nameValue), kind = TypeName(control);
        std::transform(name.begin(), name.end(), name.begin(), ::towlower);
        bool named = name.find(L"command") != std::wstring::npos ||
                     name.find(L"button") != std::wstring::npos ||
                     name.find(L"panel") != std::wstring::npos;
        bool kindOf = kind == L"Frame" || kind == L"CheckBox" || kind == L"PictureBox" ||
                      kind == L"OptionButton" || kind == L"Label";
        if (!named && !kindOf) continue;
        if (!PutProperty(control, L"BackColor", Variant(static_cast<long>(back)).get()))
            refused.push_back(name + L".BackColor");
        if (!PutProperty(control, L"ForeColor", Variant(static_cast<long>(fore)).get()))
            refused.push_back(name + L".ForeColor");
    }
    EXPECT_EQ(refused, std::vector<std::wstring>{L"command1.ForeColor"});
    EXPECT_EQ(form.Label1->BackColor(), back);
    EXPECT_EQ(form.Label1->ForeColor(), fore);
    EXPECT_EQ(form.Command1->BackColor(), back);
    EXPECT_EQ(form.panelLeft->BackColor(), back);
    EXPECT_EQ(form.Picture1->ForeColor(), fore);
    EXPECT_EQ(form.Text1->BackColor(), kWindowBackground);
}

TEST_F(AutomationTest, ErrorsComeBackAsRunTimeErrors) {
    Outcome bad = Call(object.get(), L"ScaleMode", DISPATCH_PROPERTYPUT, {2L});
    EXPECT_EQ(bad.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(bad.number, 380);
    EXPECT_EQ(bad.description, L"Invalid property value");
    EXPECT_EQ(Call(object.get(), L"BackColor", DISPATCH_PROPERTYPUT, {L"not a colour"}).number, 13);
    EXPECT_FALSE(GetProperty(object.get(), L"NoSuchMember", Variant().put()));

    // Objects held past the unload answer "object was unloaded" instead of crashing.
    ComPtr<IDispatch> label(form.Label1->Object());
    form.Unload();
    Outcome gone = Call(label.get(), L"Caption", DISPATCH_PROPERTYGET);
    EXPECT_EQ(gone.number, 364);
    EXPECT_EQ(Call(object.get(), L"hWnd", DISPATCH_PROPERTYGET).number, 364);
    EXPECT_EQ(TypeName(label.get()), L"Label");
}

// Each allocation of a call failing in turn: the object answers "out of
// memory" and keeps what it had.
TEST_F(AutomationTest, RunningOutOfMemoryIsAnErrorNotACrash) {
    DISPID caption;
    LPOLESTR name = const_cast<LPOLESTR>(L"Caption");
    ASSERT_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, 0, &caption), S_OK);
    auto bag = PropertyBag::Create();
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = 7;
    for (size_t n = 0;; ++n) {
        VARIANT result;
        VariantInit(&result);
        DISPPARAMS none{};
        HRESULT read, written;
        bool failedRead, failedWrite;
        {
            test::FailAllocation fail(n);
            read = object->Invoke(caption, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                                  nullptr, nullptr);
            failedRead = fail.Failed();
        }
        {
            test::FailAllocation fail(n);
            written = bag->Write(L"Number", &value);
            failedWrite = fail.Failed();
        }
        VariantClear(&result);
        if (failedRead) {
            EXPECT_EQ(read, E_OUTOFMEMORY) << n;
        }
        if (failedWrite) {
            EXPECT_EQ(written, E_OUTOFMEMORY) << n;
            EXPECT_EQ(bag->Value(L"Number").type(), VT_EMPTY) << n;
        }
        if (!failedRead && !failedWrite) break;
    }
    EXPECT_EQ(AsLong(bag->Value(L"Number")), 7);
    EXPECT_EQ(AsText(Call(object.get(), L"Caption", DISPATCH_PROPERTYGET).result), L"Kinds");
}

} // namespace
} // namespace qel::forms
