// Test entry shared by every test program.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // A crash must fail the run at once instead of waiting on an error dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
