// The entry of every end-to-end test program: GoogleTest's options, then the
// program under test, as the build gives its path.
#include "tests/e2e/driver/Driver.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[argc - 1]);
    return RUN_ALL_TESTS();
}
