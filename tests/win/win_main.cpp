// Test entry: the real application object, initialised as WinMain would,
// without running its menu.
#include "app/SetupMenuApp.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    theApp.InitApplication(::GetModuleHandleA(NULL));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
