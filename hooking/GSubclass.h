// The framework's global object: its members forward to the module procedures
// of MSubclass, for clients outside the library.
#pragma once
#include "base/ComObject.h"
#include "hooking/MSubclass.h"

namespace qel {

class GSubclass final : public ComObject<GSubclass, _GSubclass> {
public:
    STDMETHODIMP AttachMessage(_ISubclass* iwp, LONG hwnd, LONG iMsg) override;
    STDMETHODIMP DetachMessage(_ISubclass* iwp, LONG hwnd, LONG iMsg) override;
    STDMETHODIMP get_CurrentMessage(LONG* ret) override;
    STDMETHODIMP CallOldWindowProc(LONG hwnd, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                                   LONG_PTR* ret) override;
};

// The interface class's own object: it answers every message with emrConsume
// and 0, and ignores what it is told.
class ISubclassObject final : public ComObject<ISubclassObject, _ISubclass> {
public:
    STDMETHODIMP get_MsgResponse(EMsgResponse* ret) override;
    STDMETHODIMP put_MsgResponse(EMsgResponse) override { return S_OK; }
    STDMETHODIMP WindowProc(LONG, LONG, LONG_PTR, LONG_PTR, LONG_PTR* ret) override;
};

} // namespace qel
