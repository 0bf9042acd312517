// saporia-window-shots FOLDER: renders the main window on each page and the
// preference dialog offscreen into PNG files, for review. Runs from a folder
// that holds data/.

#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "app/MainForm.h"
#include "ui/MessageBoxes.h"
#include "foods/Preference.h"
#include "app/StartUp.h"
#include "ui/TemplateDialog.h"

#include <QDir>
#include <QStackedWidget>
#include <QTimer>

#include <cstdio>

namespace {

QDir outputFolder;
int written = 0;

void save(QWidget& window, const QString& name)
{
    window.grab().save(outputFolder.filePath(name + ".png"));
    ++written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: saporia-window-shots <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TApplication application(argc, argv);
    TApplication::setApplicationName("Saporia");
    installFontSubstitutions();
    MessageBoxes messageBoxes;
    outputFolder = QDir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(outputFolder.path());

    const bool ok = guarded([] {
        CreateApplicationObjects();
        FormMain->show();
        while (FormMain->AlphaBlend())
            FormMain->Timer1Timer();
        TApplication::processEvents();
        const char* pages[] = {"main-window-recipes", "main-window-foods", "main-window-info-base"};
        for (int page = 0; page < 3; ++page) {
            FormMain->NotebookClient->setCurrentIndex(page);
            save(*FormMain, pages[page]);
        }
        TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
            dialog.show();
            TApplication::processEvents();
            save(dialog, "preference-dialog");
            dialog.CloseCancel();
            return dialog.StoredCode();
        };
        FormMain->btnPreferenceClick();
        TFormTemplateDialog::ShowModalHook = nullptr;
    });
    guarded(DestroyApplicationObjects);
    std::printf("%d screenshots written to %s\n", written, argv[1]);
    return ok ? 0 : 1;
}
