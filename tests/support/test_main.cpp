// Test entry shared by every test program.
#include <windows.h>

#include <gtest/gtest.h>

#ifdef _MSC_VER
#include <crtdbg.h>
#include <stdlib.h>
#endif

int main(int argc, char** argv) {
    // A crash must fail the run at once instead of waiting on an error dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#ifdef _MSC_VER
    // MSVC's runtime has dialogs of its own: abort() shows one and calls the system's fault
    // report, and debug builds show one for a runtime error or a failed assertion. None of them
    // waits for a click: abort() ends the program at once, and the errors and failed assertions
    // are written to standard error.
    _set_abort_behavior(0, _WRITE_ABORT_MSG | _CALL_REPORTFAULT);
    (void)_CrtSetReportMode(_CRT_ERROR, _CRTDBG_MODE_FILE | _CRTDBG_MODE_DEBUG);
    (void)_CrtSetReportFile(_CRT_ERROR, _CRTDBG_FILE_STDERR);
    (void)_CrtSetReportMode(_CRT_ASSERT, _CRTDBG_MODE_FILE | _CRTDBG_MODE_DEBUG);
    (void)_CrtSetReportFile(_CRT_ASSERT, _CRTDBG_FILE_STDERR);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
