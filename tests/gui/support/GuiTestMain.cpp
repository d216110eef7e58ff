// The main of every GUI test program: a QApplication on Qt's offscreen platform, made through
// the program's own application object, then the tests.

#include <gtest/gtest.h>

#include "platform/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    platform::Application::UseOffscreenPlatform();
    platform::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
