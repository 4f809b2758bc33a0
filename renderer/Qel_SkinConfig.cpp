#include "renderer/Qel_SkinConfig.h"
#include "base/ComGuard.h"

#include <oleauto.h>

namespace qel {

void Qel_SkinConfig::SetDefaults() {
    SetTitleAndMenuDefaults(s_);
    s_.ButtonGap = 1;
    s_.TransparentColor = static_cast<OLE_COLOR>(-1);
}

STDMETHODIMP Qel_SkinConfig::get_Name(BSTR* ret) {
    if (!ret) return E_POINTER;
    *ret = SysAllocStringLen(s_.Name.data(), static_cast<UINT>(s_.Name.size()));
    return *ret ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP Qel_SkinConfig::put_Name(BSTR value) {
    return ComGuard([&] {
        s_.Name.assign(value ? value : L"", value ? SysStringLen(value) : 0);
        return S_OK;
    });
}

} // namespace qel
