// Test entry point: message boxes never block and go to stderr.
#include <gtest/gtest.h>

#include "platform/message_box.h"

int main(int argc, char** argv) {
    SetBatchMode(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
