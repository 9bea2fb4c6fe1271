// Test programs run without a person in front of them: message boxes are recorded, not shown. The window
// the tests share is closed before the program ends.
#include <gtest/gtest.h>

#include "platform/testing.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    win32::testing::RecordMessageBoxes(true);
    const int result = RUN_ALL_TESTS();
    win32::testing::CloseBackend();
    return result;
}
