// The skin creator: loading its main window starts it, and it runs until its
// last form is unloaded.
#include "creator/shell/MainFrm.h"
#include "forms/App.h"

#include <ole2.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    qel::forms::Default<qel::creator::MainFrm>().Show();
    const int result = qel::forms::App::Run();
    OleUninitialize();
    return result;
}
