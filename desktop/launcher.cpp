// saporia-launcher: the desktop entry's command. Starts Saporia in the user's data
// location, first building data/ there with the installed tool when it is missing.
// An existing data/ is never touched.

#include "desktop/FirstStart.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Started from a menu nobody reads stderr, so the reason is also shown in a box.
int fail(int& argc, char** argv, const QString& reason)
{
    std::fprintf(stderr, "saporia-launcher: %s\n", qPrintable(reason));
    std::unique_ptr<QApplication> application;
    if (!QApplication::instance())
        application = std::make_unique<QApplication>(argc, argv);
    QMessageBox::critical(nullptr, "Saporia", reason);
    return 1;
}

// $HOME, or the account's home folder when a session does not set it.
const char* homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* account = ::getpwuid(::getuid());
    return account ? account->pw_dir : nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    std::error_code ec;
    const fs::path launcher = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fail(argc, argv, "Cannot find where Saporia is installed.");
    const Installation installation = Installation::around(launcher);
    const fs::path location = dataLocation(std::getenv("XDG_DATA_HOME"), homeFolder());
    fs::create_directories(location, ec);
    if (ec)
        return fail(argc, argv, "Cannot create the folder " + QString::fromStdString(location.string()) + ": "
                                    + QString::fromStdString(ec.message()));

    if (!dataFolderPresent(location)) {
        QApplication application(argc, argv);
        FirstStartWindow window(installation, location);
        if (const auto reason = window.buildDataFolder())
            return fail(argc, argv, *reason);
    }
    copyMissingLinks(installation, location);

    if (::chdir(location.c_str()) != 0)
        return fail(argc, argv, "Cannot enter the folder " + QString::fromStdString(location.string()) + ".");
    const std::string program = installation.program().string();
    argv[0] = const_cast<char*>(program.c_str());
    ::execv(program.c_str(), argv);
    return fail(argc, argv, "Cannot start " + QString::fromStdString(program) + ".");
}
