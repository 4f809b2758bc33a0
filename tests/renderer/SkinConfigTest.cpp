// The skin configuration record and the renderer as automation objects.
#include "base/OleObjects.h"
#include "renderer/Qel_SkinClass.h"
#include "renderer/Qel_SkinConfig.h"
#include "tests/renderer/SyntheticSkin.h"

#include <olectl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace qel {
namespace {

std::wstring FontName(IFontDisp* font) {
    ComPtr<IFont> f = ComPtr<IFontDisp>(font).as<IFont>();
    BSTR name = nullptr;
    if (!f || FAILED(f->get_Name(&name))) return L"?";
    std::wstring s(name);
    SysFreeString(name);
    return s;
}

TEST(SkinConfig, ANewRecordHoldsTheDefaults) {
    auto config = Qel_SkinConfig::Create();
    OLE_COLOR colour = 0;
    config->get_TransparentColor(&colour);
    EXPECT_EQ(colour, 0xFFFFFFFFu);
    config->get_ActiveCaptionColor(&colour);
    EXPECT_EQ(colour, 0x00CCCCCCu);
    config->get_InActiveCaptionColor(&colour);
    EXPECT_EQ(colour, 0x00999999u);
    config->get_InActiveMenuColor(&colour);
    EXPECT_EQ(colour, 0x00808080u);
    config->get_MenuBackgroundColor(&colour);
    EXPECT_EQ(colour, 0x00FFFFFFu);
    SHORT gap = 0;
    config->get_ButtonGap(&gap);
    EXPECT_EQ(gap, 1);
    VARIANT_BOOL flag = VARIANT_FALSE;
    config->get_DrawTitle(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    BSTR name = nullptr;
    config->get_Name(&name);
    EXPECT_EQ(SysStringLen(name), 0u);
    SysFreeString(name);
    ComPtr<IPictureDisp> picture;
    config->get_Caption(picture.put());
    EXPECT_FALSE(picture);
    config->get_FrmIcon(picture.put());
    EXPECT_FALSE(picture);
    ECNCDrawMethodConstants method = ECNCUseClientArea;
    config->get_Method(&method);
    EXPECT_EQ(method, ECNCModifyNonClientArea);

    // Two fonts of the same name, but two objects.
    ComPtr<IFontDisp> caption, menu;
    config->get_CaptionFont(caption.put());
    config->get_MenuFont(menu.put());
    ASSERT_TRUE(caption && menu);
    EXPECT_NE(caption.get(), menu.get());
    // A font object reports the face the platform found for its name.
    ComPtr<IFontDisp> reference = NewFontObject(L"MS Sans Serif");
    ASSERT_TRUE(reference);
    const std::wstring face = FontName(reference.get());
    EXPECT_EQ(FontName(caption.get()), face);
    EXPECT_EQ(FontName(menu.get()), face);
    caption.as<IFont>()->put_Name(const_cast<BSTR>(L"Marlett"));
    EXPECT_NE(FontName(caption.get()), face);
    EXPECT_EQ(FontName(menu.get()), face);
}

// Calls a member of an automation object by name, as script hosts do.
HRESULT Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
             VARIANT* result = nullptr, DISPID* idOut = nullptr) {
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &n, 1, 0, &id);
    if (FAILED(hr)) return hr;
    if (idOut) *idOut = id;
    std::reverse(args.begin(), args.end());
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params{args.data(), isPut ? &put : nullptr, static_cast<UINT>(args.size()),
                      isPut ? 1u : 0u};
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

VARIANT Long(LONG v) {
    VARIANT x;
    VariantInit(&x);
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    return x;
}

TEST(SkinConfig, ScriptsReachEveryMemberByNameAndNumber) {
    auto config = Qel_SkinConfig::Create();
    IDispatch* d = static_cast<_Qel_SkinConfig*>(config.get());
    DISPID id = 0;
    ASSERT_EQ(Call(d, L"ButtonWidth", DISPATCH_PROPERTYPUT, {Long(17)}, nullptr, &id), S_OK);
    EXPECT_EQ(id, 0x40030000);
    EXPECT_EQ(config->Settings().ButtonWidth, 17);
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(Call(d, L"Method", DISPATCH_PROPERTYGET, {}, &result, &id), S_OK);
    EXPECT_EQ(id, 0x4003002E);
    EXPECT_EQ(V_I4(&result), 0);
    ASSERT_EQ(Call(d, L"TransparentColor", DISPATCH_PROPERTYGET, {}, &result, &id), S_OK);
    EXPECT_EQ(id, 0x4003002D);

    // Pictures are set by reference.
    auto picture = test::skin::BorderPicture();
    VARIANT p;
    VariantInit(&p);
    V_VT(&p) = VT_DISPATCH;
    V_DISPATCH(&p) = picture.get();
    ASSERT_EQ(Call(d, L"Borders", DISPATCH_PROPERTYPUTREF, {p}, nullptr, &id), S_OK);
    EXPECT_EQ(id, 0x40030007);
    EXPECT_EQ(config->Settings().Borders.get(), picture.get());

    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"Night");
    ASSERT_EQ(Call(d, L"Name", DISPATCH_PROPERTYPUT, {text}), S_OK);
    VariantClear(&text);
    EXPECT_EQ(config->Settings().Name, L"Night");
}

TEST(SkinConfig, TheRendererAnswersItsMembersAndOffersItsEvents) {
    auto renderer = Qel_SkinClass::Create();
    IDispatch* d = static_cast<_Qel_SkinClass*>(renderer.get());
    const std::pair<const wchar_t*, DISPID> members[] = {{L"Detach", 0x6003000E},
                                                         {L"SkinConfiguration", 0x6803000D},
                                                         {L"Attach2", 0x6003000F},
                                                         {L"Attach", 0x60030010},
                                                         {L"MenuBackgroundColor", 0x6803000C},
                                                         {L"FormBackgroundColor", 0x6803000B},
                                                         {L"ActiveCaptionColor", 0x6803000A},
                                                         {L"InActiveCaptionColor", 0x68030009},
                                                         {L"CaptionFont", 0x68030008},
                                                         {L"MenuFont", 0x68030007},
                                                         {L"ActiveMenuColor", 0x68030006},
                                                         {L"ActiveMenuColorOver", 0x68030005},
                                                         {L"InActiveMenuColor", 0x68030004},
                                                         {L"Paint", 0x6003001A},
                                                         {L"SetRoundAngle", 0x60030027},
                                                         {L"SetFrmMimMax", 0x60030028},
                                                         {L"RedrawFrm", 0x60030029}};
    for (const auto& [name, expected] : members) {
        DISPID id = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        ASSERT_EQ(d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id), S_OK) << name;
        EXPECT_EQ(id, expected) << name;
    }
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(Call(d, L"ActiveCaptionColor", DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(V_I4(&result), 0x00CCCCCC);
    ASSERT_EQ(Call(d, L"ActiveMenuColorOver", DISPATCH_PROPERTYPUT, {Long(0x123456)}), S_OK);
    OLE_COLOR colour = 0;
    renderer->get_ActiveMenuColorOver(&colour);
    EXPECT_EQ(colour, 0x123456u);

    // A configuration built by script reaches the renderer through SkinConfiguration.
    ASSERT_EQ(Call(d, L"SkinConfiguration", DISPATCH_PROPERTYGET, {}, &result), S_OK);
    ASSERT_EQ(V_VT(&result), VT_DISPATCH);
    ComPtr<_Qel_SkinConfig> record = ComPtr<IDispatch>(V_DISPATCH(&result)).as<_Qel_SkinConfig>();
    VariantClear(&result);
    ASSERT_TRUE(record);
    record->get_ActiveMenuColorOver(&colour);
    EXPECT_EQ(colour, 0x123456u);

    ComPtr<IUnknown> unknown(renderer->Unknown());
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(unknown.as<IConnectionPointContainer>()->FindConnectionPoint(DIID___Qel_SkinClass,
                                                                           point.put()),
              S_OK);
    EXPECT_TRUE(unknown.as<_Qel_SkinAreaMod>());
}

} // namespace
} // namespace qel
