// One application object for all window tests, the program's own (with its
// error handler); the offscreen platform needs no display.
#include <gtest/gtest.h>

#include "app/ZemraApplication.h"
#include "render/Fonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zemra::ZemraApplication app(argc, argv);
    zemra::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
