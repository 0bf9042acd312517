#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"
#include "app/StartUp.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TApplication::setApplicationName("Saporia");
    TApplication::setApplicationDisplayName("Saporia");
    installFontSubstitutions();
    MessageBoxes messageBoxes;
    return RunProgram();
}
