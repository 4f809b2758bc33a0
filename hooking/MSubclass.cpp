#include "hooking/MSubclass.h"
#include "base/ComError.h"
#include "base/ComPtr.h"
#include "base/WindowTable.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace qel {
namespace {

thread_local UINT t_currentMessage = 0;

// What dispatch needs of a window's properties, mirrored after each successful
// write: the previous procedure and, per message, the handlers in order.
struct Mirror {
    WNDPROC previous = nullptr;
    std::vector<std::pair<UINT, std::vector<_ISubclass*>>> handlers;

    const std::vector<_ISubclass*>* Handlers(UINT msg) const {
        for (const auto& [m, list] : handlers)
            if (m == msg) return &list;
        return nullptr;
    }
    std::vector<_ISubclass*>& HandlersToWrite(UINT msg) {
        for (auto& [m, list] : handlers)
            if (m == msg) return list;
        return handlers.emplace_back(msg, std::vector<_ISubclass*>()).second;
    }
    // False once nothing is left to mirror.
    bool InUse() {
        handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                      [](const auto& entry) { return entry.second.empty(); }),
                       handlers.end());
        return previous || !handlers.empty();
    }
};

WindowTable<Mirror>& Mirrors() {
    static WindowTable<Mirror> table;
    return table;
}

WNDPROC MirroredOldWindowProc(HWND hwnd) {
    WNDPROC previous = nullptr;
    Mirrors().Read(hwnd, [&](const Mirror& m) { previous = m.previous; });
    return previous;
}

// The i-th handler for msg (1-based), counted, or null.
ComPtr<_ISubclass> MirroredHandler(HWND hwnd, UINT msg, long i) {
    ComPtr<_ISubclass> handler;
    Mirrors().Read(hwnd, [&](const Mirror& m) {
        const std::vector<_ISubclass*>* list = m.Handlers(msg);
        if (list && i >= 1 && static_cast<size_t>(i) <= list->size()) handler = (*list)[i - 1];
    });
    return handler;
}

std::string HandleText(HWND hwnd) {
    return std::to_string(HandleToLong(hwnd));
}
std::string MessageText(UINT msg) {
    return std::to_string(static_cast<long>(msg));
}

std::string MessageCountName(HWND hwnd) {
    return "C" + HandleText(hwnd);
}
std::string OldProcName(HWND hwnd) {
    return HandleText(hwnd);
}
std::string ClassCountName(HWND hwnd, UINT msg) {
    return HandleText(hwnd) + "#" + MessageText(msg) + "C";
}
std::string ClassName(HWND hwnd, UINT msg, long i) {
    return HandleText(hwnd) + "#" + MessageText(msg) + "#" + std::to_string(i);
}

LONG_PTR ReadProp(HWND hwnd, const std::string& name) {
    return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name.c_str()));
}

// Storing 0 removes the property. False when the store failed.
bool WriteProp(HWND hwnd, const std::string& name, LONG_PTR value) {
    if (value == 0) {
        RemovePropA(hwnd, name.c_str());
        return true;
    }
    return SetPropA(hwnd, name.c_str(), reinterpret_cast<HANDLE>(value)) != FALSE;
}

long GetMessageCount(HWND hwnd) {
    return static_cast<long>(ReadProp(hwnd, MessageCountName(hwnd)));
}
bool SetMessageCount(HWND hwnd, long n) {
    return WriteProp(hwnd, MessageCountName(hwnd), n);
}

WNDPROC GetOldWindowProc(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(ReadProp(hwnd, OldProcName(hwnd)));
}
bool SetOldWindowProc(HWND hwnd, WNDPROC proc) {
    if (!WriteProp(hwnd, OldProcName(hwnd), reinterpret_cast<LONG_PTR>(proc))) return false;
    Mirrors().Write(hwnd, [&](Mirror& m) {
        m.previous = proc;
        return m.InUse();
    });
    return true;
}

long GetMessageClassCount(HWND hwnd, UINT msg) {
    return static_cast<long>(ReadProp(hwnd, ClassCountName(hwnd, msg)));
}
bool SetMessageClassCount(HWND hwnd, UINT msg, long n) {
    if (!WriteProp(hwnd, ClassCountName(hwnd, msg), n)) return false;
    Mirrors().Write(hwnd, [&](Mirror& m) {
        m.HandlersToWrite(msg).resize(static_cast<size_t>(std::max(n, 0L)));
        return m.InUse();
    });
    return true;
}

_ISubclass* GetMessageClass(HWND hwnd, UINT msg, long i) {
    return reinterpret_cast<_ISubclass*>(ReadProp(hwnd, ClassName(hwnd, msg, i)));
}
bool SetMessageClass(HWND hwnd, UINT msg, long i, _ISubclass* iwp) {
    if (!WriteProp(hwnd, ClassName(hwnd, msg, i), reinterpret_cast<LONG_PTR>(iwp))) return false;
    Mirrors().Write(hwnd, [&](Mirror& m) {
        std::vector<_ISubclass*>& list = m.HandlersToWrite(msg);
        if (i >= 1 && static_cast<size_t>(i) <= list.size()) list[i - 1] = iwp;
        return m.InUse();
    });
    return true;
}

void RestoreProcedure(HWND hwnd) {
    if (WNDPROC old = GetOldWindowProc(hwnd))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    SetOldWindowProc(hwnd, nullptr);
}

BOOL CALLBACK CollectPropName(HWND, LPSTR name, HANDLE, ULONG_PTR names) {
    if (IS_INTRESOURCE(name)) return TRUE; // string names only, not atoms
    try {
        reinterpret_cast<std::vector<std::string>*>(names)->push_back(name);
    } catch (...) {
        return FALSE; // no exception crosses the enumeration
    }
    return TRUE;
}

EMsgResponse ResponseOf(_ISubclass* handler) {
    EMsgResponse r = emrConsume;
    if (FAILED(handler->get_MsgResponse(&r))) r = emrConsume;
    return r;
}

} // namespace

UINT CurrentMessage() {
    return t_currentMessage;
}

bool IsWindowLocal(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid == GetCurrentProcessId();
}

HRESULT RaiseSubclassError(long number) {
    const wchar_t* text = L"";
    switch (number) {
    case eeCantSubclass:
        text = L"Can't subclass window";
        break;
    case eeAlreadyAttached:
        text = L"Message already handled by another class";
        break;
    case eeInvalidWindow:
        text = L"Invalid window";
        break;
    case eeNoExternalWindow:
        text = L"Can't modify external window";
        break;
    default:
        break;
    }
    if (number <= 1000) return RaiseInvalidCall();
    std::wstring source = std::wstring(kLibraryName) + L".WindowProc";
    return RaiseError(number, source.c_str(), text);
}

HRESULT AttachMessageImpl(_ISubclass* iwp, HWND hwnd, UINT iMsg) {
    if (!iwp) return RaiseSubclassError(5);
    if (!IsWindow(hwnd)) return RaiseSubclassError(eeInvalidWindow);
    if (!IsWindowLocal(hwnd)) return RaiseSubclassError(eeNoExternalWindow);
    // A window without registrations has nothing mirrored, even when its handle
    // once belonged to a window that went without the framework seeing it.
    if (GetMessageCount(hwnd) == 0) Mirrors().Erase(hwnd);

    long n = GetMessageClassCount(hwnd, iMsg);
    for (long i = 1; i <= n; ++i)
        if (GetMessageClass(hwnd, iMsg, i) == iwp) return RaiseSubclassError(eeAlreadyAttached);

    if (!SetMessageClassCount(hwnd, iMsg, n + 1)) return RaiseSubclassError(5);
    if (!SetMessageClass(hwnd, iMsg, n + 1, iwp)) {
        SetMessageClassCount(hwnd, iMsg, n);
        return RaiseSubclassError(5);
    }
    auto undoEntry = [&] {
        SetMessageClass(hwnd, iMsg, n + 1, nullptr);
        SetMessageClassCount(hwnd, iMsg, n);
    };

    long registrations = GetMessageCount(hwnd);
    if (registrations == 0) {
        LONG_PTR old =
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWindowProc));
        if (old == 0) {
            undoEntry();
            return RaiseSubclassError(eeCantSubclass);
        }
        if (!SetOldWindowProc(hwnd, reinterpret_cast<WNDPROC>(old))) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, old);
            undoEntry();
            return RaiseSubclassError(5);
        }
    }
    if (!SetMessageCount(hwnd, registrations + 1)) {
        undoEntry();
        if (GetMessageCount(hwnd) == 0 && GetOldWindowProc(hwnd)) RestoreProcedure(hwnd);
        return RaiseSubclassError(5);
    }
    return S_OK;
}

void DetachMessageImpl(_ISubclass* iwp, HWND hwnd, UINT iMsg) {
    if (!IsWindow(hwnd) || !IsWindowLocal(hwnd)) return;
    long n = GetMessageClassCount(hwnd, iMsg);
    if (n == 0) return;
    long found = 0;
    for (long i = 1; i <= n && !found; ++i)
        if (GetMessageClass(hwnd, iMsg, i) == iwp) found = i;
    if (!found) return;

    for (long i = found; i < n; ++i)
        SetMessageClass(hwnd, iMsg, i, GetMessageClass(hwnd, iMsg, i + 1));
    SetMessageClass(hwnd, iMsg, n, nullptr);
    SetMessageClassCount(hwnd, iMsg, n - 1);

    long registrations = GetMessageCount(hwnd);
    if (registrations != 1) {
        SetMessageCount(hwnd, registrations - 1);
    } else {
        RestoreProcedure(hwnd);
        SetMessageCount(hwnd, 0);
    }
}

LRESULT CallOldWindowProcImpl(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = MirroredOldWindowProc(hwnd);
    return previous ? CallWindowProcA(previous, hwnd, iMsg, wParam, lParam) : 0;
}

void ReleaseSubclass(HWND hwnd) {
    RestoreProcedure(hwnd);
    std::vector<std::string> names;
    EnumPropsExA(hwnd, CollectPropName, reinterpret_cast<LPARAM>(&names));
    const std::string h = HandleText(hwnd);
    for (const std::string& name : names)
        if (name == "C" + h || name == h || name.rfind(h + "#", 0) == 0)
            RemovePropA(hwnd, name.c_str());
    Mirrors().Erase(hwnd);
}

LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    try {
        WNDPROC previous = nullptr;
        long n = 0;
        Mirrors().Read(hwnd, [&](const Mirror& m) {
            previous = m.previous;
            const std::vector<_ISubclass*>* list = m.Handlers(uMsg);
            n = list ? static_cast<long>(list->size()) : 0;
        });
        if (!previous) return 0;
        if (n == 0) {
            // A window going away loses the framework's procedure and properties
            // before its own procedure handles the message.
            if (uMsg == WM_DESTROY || uMsg == WM_NCDESTROY) ReleaseSubclass(hwnd);
            return CallWindowProcA(previous, hwnd, uMsg, wParam, lParam);
        }

        LRESULT result = 0;
        bool previousCalled = false;
        ComPtr<_ISubclass> handler; // the last one visited stays counted until the end
        for (long i = n; i >= 1; --i) {
            ComPtr<_ISubclass> entry = MirroredHandler(hwnd, uMsg, i);
            if (!entry) continue; // detached during this dispatch
            handler = std::move(entry);
            t_currentMessage = uMsg;
            if (i == 1 && !previousCalled && ResponseOf(handler.get()) == emrPreprocess) {
                CallWindowProcA(previous, hwnd, uMsg, wParam, lParam);
                previousCalled = true;
            }
            LONG_PTR r = 0;
            handler->WindowProc(HandleToLong(hwnd), static_cast<LONG>(uMsg),
                                static_cast<LONG_PTR>(wParam), lParam, &r);
            result = r;
        }
        if (handler && !previousCalled && ResponseOf(handler.get()) == emrPostProcess)
            result = CallWindowProcA(previous, hwnd, uMsg, wParam, lParam);
        // Handlers that outlive their window leave nothing on it.
        if (uMsg == WM_NCDESTROY) ReleaseSubclass(hwnd);
        return result;
    } catch (...) {
        return 0;
    }
}

} // namespace qel
