#include "base/ComError.h"
#include "base/ComPtr.h"

#include <oleauto.h>

namespace qel {

HRESULT RaiseError(long number, const wchar_t* source, const wchar_t* description) {
    return RaiseFailure(ErrorHResult(number), source, description);
}

HRESULT RaiseFailure(HRESULT hr, const wchar_t* source, const wchar_t* description) noexcept {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.put()))) {
        create->SetGUID(GUID_NULL);
        create->SetSource(const_cast<LPOLESTR>(source ? source : L""));
        create->SetDescription(const_cast<LPOLESTR>(description ? description : L""));
        SetErrorInfo(0, create.as<IErrorInfo>().get());
    }
    return hr;
}

HRESULT RaiseInvalidCall() {
    return RaiseError(5, L"", L"Invalid procedure call or argument");
}

} // namespace qel
