#pragma once

#include <QString>
#include <QWidget>

#include <filesystem>
#include <optional>

// The installed program's files, found from the folder the launcher runs from
// (PREFIX/bin), so an installation works under any prefix.
struct Installation {
    std::filesystem::path binFolder;   // PREFIX/bin
    std::filesystem::path shareFolder; // PREFIX/share/saporia

    static Installation around(const std::filesystem::path& launcher);
    std::filesystem::path program() const { return binFolder / "saporia"; }
    std::filesystem::path tool() const { return binFolder / "saporia-makedb"; }
    std::filesystem::path referenceFolder() const { return shareFolder / "sr28"; }
    std::filesystem::path linksFolder() const { return shareFolder / "links"; }
};

// Where a desktop start keeps the user's data: $XDG_DATA_HOME/saporia, or
// ~/.local/share/saporia when that is unset or not absolute (the XDG rule).
std::filesystem::path dataLocation(const char* xdgDataHome, const char* home);

// Anything named data, even a broken link or a plain file, counts: it is the
// user's, and the program reports what is wrong with it.
bool dataFolderPresent(const std::filesystem::path& location);

// The bottom bar's internet shortcuts are read from the working folder; copies
// are placed there once and then belong to the user (edits are kept).
void copyMissingLinks(const Installation& installation, const std::filesystem::path& location);

// A small window that stays up while the installation tool builds data/ in the
// data location, which takes a few seconds on the full food tables.
class FirstStartWindow : public QWidget {
public:
    FirstStartWindow(const Installation& installation, const std::filesystem::path& location);

    // Builds data/; on failure returns why, with the tool's own message.
    std::optional<QString> buildDataFolder();

private:
    Installation installation_;
    std::filesystem::path location_;
};
