#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"

#include <gtest/gtest.h>

// Widgets need the application object; the tests run without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    installFontSubstitutions();
    return RUN_ALL_TESTS();
}
