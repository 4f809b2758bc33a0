#include <gtest/gtest.h>

#ifdef _WIN32
#include <ole2.h>
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
    OleInitialize(nullptr);
    SetProcessDPIAware();
#endif
    int result = RUN_ALL_TESTS();
#ifdef _WIN32
    OleUninitialize();
#endif
    return result;
}
