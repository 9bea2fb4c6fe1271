// Test programs run without a person in front of them: message boxes are recorded, not shown.
#include <gtest/gtest.h>

#include "platform/testing.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    win32::testing::RecordMessageBoxes(true);
    return RUN_ALL_TESTS();
}
