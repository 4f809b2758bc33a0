// The skin creator: loading its main window starts it, and it runs until its
// last form is unloaded. A main window that cannot load (no skin control to be
// had) is reported as a run-time error, and the program ends with code 1.
#include "creator/shell/MainFrm.h"
#include "forms/App.h"

#include <ole2.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    const int result =
        qel::forms::App::Main([] { qel::forms::Default<qel::creator::MainFrm>().Show(); });
    OleUninitialize();
    return result;
}
