#include "desktop/FirstStart.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QProgressBar>
#include <QVBoxLayout>

namespace fs = std::filesystem;

Installation Installation::around(const fs::path& launcher)
{
    const fs::path bin = launcher.parent_path();
    return {bin, bin.parent_path() / "share" / "saporia"};
}

fs::path dataLocation(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "saporia";
    return fs::path(home ? home : "/") / ".local" / "share" / "saporia";
}

bool dataFolderPresent(const fs::path& location)
{
    std::error_code ec;
    return fs::symlink_status(location / "data", ec).type() != fs::file_type::not_found;
}

void copyMissingLinks(const Installation& installation, const fs::path& location)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(installation.linksFolder(), ec)) {
        const fs::path copy = location / entry.path().filename();
        std::error_code ignored;
        if (fs::symlink_status(copy, ignored).type() == fs::file_type::not_found)
            fs::copy_file(entry.path(), copy, fs::copy_options::skip_existing, ignored);
    }
}

FirstStartWindow::FirstStartWindow(const Installation& installation, const fs::path& location)
    : installation_(installation), location_(location)
{
    setWindowTitle("Saporia");
    const QString icon = QString::fromStdString(
        (installation.shareFolder.parent_path() / "icons/hicolor/48x48/apps/saporia.png").string());
    setWindowIcon(QIcon(icon));
    auto* columns = new QHBoxLayout(this);
    columns->setSpacing(16);
    auto* mark = new QLabel;
    mark->setPixmap(QPixmap(icon));
    columns->addWidget(mark, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout;
    columns->addLayout(layout);
    layout->addWidget(new QLabel("Saporia is preparing its food tables for the first start.\n"
                                 "This takes a few seconds."));
    auto* where = new QLabel("Your recipes will be kept in " + QString::fromStdString((location / "data").string()));
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);
    auto* busy = new QProgressBar;
    busy->setRange(0, 0);
    layout->addWidget(busy);
}

std::optional<QString> FirstStartWindow::buildDataFolder()
{
    show();
    QProcess tool;
    tool.setWorkingDirectory(QString::fromStdString(location_.string()));
    tool.setProgram(QString::fromStdString(installation_.tool().string()));
    tool.setArguments({"--quiet", "--reference", QString::fromStdString(installation_.referenceFolder().string()), "data"});
    QEventLoop loop;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    tool.start();
    if (!tool.waitForStarted())
        return "The installation tool " + tool.program() + " could not be started: " + tool.errorString();
    if (tool.state() != QProcess::NotRunning)
        loop.exec();
    hide();
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return std::nullopt;
    // Two starts at once: the other one built it, and this one's tool refused.
    if (dataFolderPresent(location_))
        return std::nullopt;
    return "Saporia could not create its data folder in " + QString::fromStdString(location_.string()) + ".\n\n"
           + QString::fromLocal8Bit(tool.readAllStandardError()).trimmed();
}
