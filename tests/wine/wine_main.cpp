#include <gtest/gtest.h>

#include "app/app.h"

// The program defines these beside WinMain, which the tests do not link.
HINSTANCE AppInstance;
DWORD StartTick;

int main(int argc, char** argv) {
    // The tests carry the program's resources, so its string table is theirs.
    AppInstance = GetModuleHandleA(nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
