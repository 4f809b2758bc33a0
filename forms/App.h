// The program as the forms runtime knows it: its folder, title and thread, and its
// message loop, which runs until the last form is unloaded.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace qel::forms {

class App {
public:
    // The program's folder, without a final "\" (except at a drive's root).
    static std::string Path();
    // The program's file name without its extension.
    static const std::string& Title();
    // The identifier of the thread the forms run on.
    static DWORD ThreadID();

    // Runs the message loop until no form is loaded any more (or a quit message
    // arrives, which unloads the forms still loaded); returns the exit code.
    static int Run();
    // Runs the program: `start` loads and shows its first forms, then Run. An
    // error out of either is reported as a run-time error, and the program
    // ends with code 1.
    static int Main(const std::function<void()>& start);
    // Handles one message of a message loop: keyboard navigation between the
    // controls of a form (Tab, Shift+Tab), then translation and dispatch.
    static void Dispatch(MSG& msg);
    // Wakes a message loop waiting in GetMessage (after the last form went).
    static void Wake();
};

} // namespace qel::forms
