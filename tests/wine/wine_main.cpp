#include <gtest/gtest.h>

#include "base/program.h"

int main(int argc, char** argv) {
    // The tests carry the program's resources, so its string table is theirs.
    AppInstance = GetModuleHandleA(nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
