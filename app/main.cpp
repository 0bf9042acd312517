#include "ErrorGuard.h"
#include "Fonts.h"
#include "MessageBoxes.h"
#include "StartUp.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TApplication::setApplicationName("Saporia");
    TApplication::setApplicationDisplayName("Saporia");
    installFontSubstitutions();
    MessageBoxes messageBoxes;
    return RunProgram();
}
