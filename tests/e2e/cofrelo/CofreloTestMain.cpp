// The test program's entry: GoogleTest's options, then the program under test.
#include "cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

#include <iostream>

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::wcerr << L"usage: cofrelo_e2e_tests [GoogleTest options] Cofrelo.exe\n";
        return 2;
    }
    cofrelo::ProgramPath = e2e::WindowsPathOf(argv[1]);
    return RUN_ALL_TESTS();
}
