#include "base/ComError.h"
#include "base/ComObject.h"
#include "base/Events.h"
#include "base/LateBound.h"
#include "typelib/QelTypeLib.h"

#include <gtest/gtest.h>
#include <string>

namespace qel {
namespace {

// A small dual object with an outgoing interface, standing for the library's classes.
class Probe final : public ComObject<Probe, _ISubclass, IConnectionPointContainer> {
public:
    explicit Probe(int* alive) : alive_(alive) { ++*alive_; }
    ~Probe() override { --*alive_; }

    STDMETHODIMP get_MsgResponse(EMsgResponse* r) override {
        *r = response_;
        return S_OK;
    }
    STDMETHODIMP put_MsgResponse(EMsgResponse v) override {
        response_ = v;
        return S_OK;
    }
    STDMETHODIMP WindowProc(LONG hwnd, LONG msg, LONG_PTR, LONG_PTR lParam, LONG_PTR* r) override {
        if (hwnd == -1) return RaiseError(13083, L"Qel_SkinControl.WindowProc", L"Invalid window");
        if (hwnd == -5) return RaiseInvalidCall();
        events_.Fire(1, {});
        *r = msg + lParam;
        return S_OK;
    }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
        return events_.Find(iid, cp);
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
        return events_.Enum(e);
    }

private:
    int* alive_;
    EMsgResponse response_ = emrConsume;
    EventSource events_{this, DIID___CTimer};
};

DISPID IdOf(IDispatch* d, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

HRESULT CallWindowProcLateBound(IDispatch* d, LONG hwnd, VARIANT* result, EXCEPINFO* ex) {
    VARIANTARG args[4]; // last argument first
    for (auto& a : args)
        VariantInit(&a);
    V_VT(&args[0]) = VT_I4, V_I4(&args[0]) = 7;   // lParam
    V_VT(&args[1]) = VT_I4, V_I4(&args[1]) = 0;   // wParam
    V_VT(&args[2]) = VT_I4, V_I4(&args[2]) = 100; // iMsg
    V_VT(&args[3]) = VT_I4, V_I4(&args[3]) = hwnd;
    DISPPARAMS p{args, nullptr, 4, 0};
    return d->Invoke(IdOf(d, L"WindowProc"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &p,
                     result, ex, nullptr);
}

TEST(ComObject, CountsReferencesAndFreesOnTheLastRelease) {
    int alive = 0;
    {
        ComPtr<Probe> p = Probe::Create(&alive);
        EXPECT_EQ(alive, 1);
        ComPtr<IDispatch> d = p.as<IDispatch>();
        ComPtr<IUnknown> u = p.as<IUnknown>();
        EXPECT_EQ(u.get(), p.as<_ISubclass>().as<IUnknown>().get()); // one identity
        p.reset();
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

TEST(ComObject, AnswersItsInterfacesAndRefusesOthers) {
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    EXPECT_TRUE(p.as<_ISubclass>());
    EXPECT_TRUE(p.as<IConnectionPointContainer>());
    EXPECT_TRUE(p.as<ISupportErrorInfo>());
    EXPECT_FALSE(p.as<IConnectionPoint>());
    EXPECT_FALSE(p.as<_CTimer>());
}

TEST(ComObject, LateBoundCallsGoThroughTheTypeLibrary) {
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    ComPtr<IDispatch> d = p.as<IDispatch>();
    VARIANT r;
    VariantInit(&r);
    ASSERT_EQ(CallWindowProcLateBound(d.get(), 1, &r, nullptr), S_OK);
    VariantChangeType(&r, &r, 0, VT_I4);
    EXPECT_EQ(V_I4(&r), 107);

    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = emrPreprocess;
    ASSERT_TRUE(PutProperty(d.get(), L"MsgResponse", v));
    ASSERT_TRUE(GetProperty(d.get(), L"MsgResponse", &r));
    VariantChangeType(&r, &r, 0, VT_I4);
    EXPECT_EQ(V_I4(&r), emrPreprocess);
    EXPECT_FALSE(GetProperty(d.get(), L"NoSuchMember", &r));
}

TEST(ComObject, ObjectErrorsReachLateBoundCallersWithNumberSourceAndText) {
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    EXCEPINFO ex{};
    VARIANT r;
    VariantInit(&r);
    ASSERT_EQ(CallWindowProcLateBound(p.as<IDispatch>().get(), -1, &r, &ex), DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<unsigned long>(ex.scode), 0x8004331Bul);
    EXPECT_EQ(std::wstring(ex.bstrSource ? ex.bstrSource : L""), L"Qel_SkinControl.WindowProc");
    EXPECT_EQ(std::wstring(ex.bstrDescription ? ex.bstrDescription : L""), L"Invalid window");
    SysFreeString(ex.bstrSource);
    SysFreeString(ex.bstrDescription);
    SysFreeString(ex.bstrHelpFile);
}

TEST(ComObject, SmallNumbersAreThePlatformsRunTimeErrors) {
    EXPECT_EQ(static_cast<unsigned long>(ErrorHResult(5)), 0x800A0005ul);
    EXPECT_EQ(static_cast<unsigned long>(ErrorHResult(13081)), 0x80043319ul);
    EXPECT_EQ(ErrorHResult(13081), -2147208423);
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    LONG_PTR r = 0;
    EXPECT_EQ(static_cast<unsigned long>(p->WindowProc(-5, 0, 0, 0, &r)), 0x800A0005ul);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    BSTR text = nullptr;
    info->GetDescription(&text);
    EXPECT_EQ(std::wstring(text), L"Invalid procedure call or argument");
    SysFreeString(text);
}

TEST(Events, AdvisedSinksReceiveEventsUntilTheConnectionGoes) {
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    int fired = 0;
    {
        EventConnection c(p->Unknown(), DIID___CTimer, [&](DISPID id, DISPPARAMS&) {
            EXPECT_EQ(id, 1);
            ++fired;
        });
        ASSERT_TRUE(c);
        LONG_PTR r;
        p->WindowProc(1, 0, 0, 0, &r);
        p->WindowProc(1, 0, 0, 0, &r);
        EXPECT_EQ(fired, 2);
    }
    LONG_PTR r;
    p->WindowProc(1, 0, 0, 0, &r);
    EXPECT_EQ(fired, 2);
}

TEST(Events, ASinkMayDisconnectItselfWhileItsEventRuns) {
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    int fired = 0;
    EventConnection c;
    c = EventConnection(p->Unknown(), DIID___CTimer, [&](DISPID, DISPPARAMS&) {
        ++fired;
        c.reset();
    });
    LONG_PTR r;
    p->WindowProc(1, 0, 0, 0, &r);
    p->WindowProc(1, 0, 0, 0, &r);
    EXPECT_EQ(fired, 1);
}

TEST(Events, OnlyTheSourceInterfaceCanBeFoundAndTheSourceFreesWithItsSinks) {
    int alive = 0;
    ComPtr<Probe> p = Probe::Create(&alive);
    ComPtr<IConnectionPoint> cp;
    auto container = p.as<IConnectionPointContainer>();
    EXPECT_EQ(container->FindConnectionPoint(DIID___cNCCalcSize, cp.put()), CONNECT_E_NOCONNECTION);
    EventConnection c(p->Unknown(), DIID___CTimer, [](DISPID, DISPPARAMS&) {});
    container.reset();
    p.reset();
    EXPECT_EQ(alive, 0); // a connection keeps the point, not the object
}

} // namespace
} // namespace qel
