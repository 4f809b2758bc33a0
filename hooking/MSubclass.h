// The window subclassing framework: handler objects (implementing _ISubclass)
// register for (window, message) pairs; the framework replaces the window's
// procedure on the first registration and dispatches the registered messages.
// All bookkeeping lives in window properties of the subclassed window:
//   "C<H>"        number of registrations on the window, over all messages
//   "<H>"         the window's previous procedure
//   "<H>#<M>C"    number of handlers registered for message M
//   "<H>#<M>#<i>" the i-th handler for M (1-based, in order of registration)
// with H the window handle and M the message as signed decimal text. Dispatch
// reads an in-process mirror of these, written after each successful store. Handler
// pointers are not counted references: a handler detaches before it goes.
#pragma once
#include "typelib/QelTypeLib.h"

namespace qel {

// Error numbers of the framework (raised as number | 0x80040000).
enum SubclassError : long {
    eeCantSubclass = 13081,
    eeAlreadyAttached = 13082,
    eeInvalidWindow = 13083,
    eeNoExternalWindow = 13084,
};

// Registers `iwp` for `iMsg` on `hwnd`; raises 13083 (not a window), 13084
// (another process's window), 13082 (already registered), 13081 (the window
// procedure could not be replaced) or 5 (a property could not be stored; the
// partial registration is undone first).
HRESULT AttachMessageImpl(_ISubclass* iwp, HWND hwnd, UINT iMsg);
// Removes the registration; silent when there is none. The last registration
// of a window puts its previous procedure back.
void DetachMessageImpl(_ISubclass* iwp, HWND hwnd, UINT iMsg);
// Calls the window's previous procedure; 0 when the window is not subclassed.
LRESULT CallOldWindowProcImpl(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
// The message of the dispatch in progress on this thread.
UINT CurrentMessage();

// The procedure installed on subclassed windows.
LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Gives a window its previous procedure back and removes every property the
// framework stored on it (the window is being destroyed).
void ReleaseSubclass(HWND hwnd);

bool IsWindowLocal(HWND hwnd);
HRESULT RaiseSubclassError(long number);

} // namespace qel
