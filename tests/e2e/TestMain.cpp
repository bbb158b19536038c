// The entry of every end-to-end test program: GoogleTest's options, then the
// program under test, as the build gives its path.
#include "Driver.h"

#include <gtest/gtest.h>

#include <iostream>

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::wcerr << L"usage: " << argv[0] << L" [GoogleTest options] PROGRAM.exe\n";
        return 2;
    }
    e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[1]);
    return RUN_ALL_TESTS();
}
