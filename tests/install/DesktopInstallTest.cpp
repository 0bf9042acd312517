// The program installed under a prefix and started as the desktop's menu would:
// the installed files, the menu entry, the first and later starts, uninstalling.

#include "support/StoredData.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Environment = std::map<std::string, std::optional<std::string>>; // nullopt unsets

struct Finished {
    int status = -1; // the exit code, or -1 when killed
    std::string output;
};

// Runs a command with the test's environment changed as given, its output and
// errors together. A program that hangs (say, on a message box nobody answers)
// is ended by the alarm, which outlives exec.
Finished runCommand(const std::vector<std::string>& command, const Environment& changes = {})
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        variables[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value)
            variables[name] = *value;
        else
            variables.erase(name);
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : variables)
        entries.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& entry : entries)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> arguments = command;
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::dup2(pipe[1], STDERR_FILENO);
        ::alarm(240);
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(pipe[1]);
    Finished finished;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        finished.output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under a folder, by relative path, with its bytes.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = contentsOf(entry.path());
    return files;
}

std::set<std::string> filesUnder(const fs::path& folder)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), folder).string());
    return files;
}

// The value of a key of the entry's one group, if it has the key.
std::optional<std::string> entryValue(const fs::path& entry, const std::string& key)
{
    std::ifstream in(entry);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    return std::nullopt;
}

// Width and height from a PNG file's header chunk.
std::pair<int, int> pngSize(const fs::path& file)
{
    const std::string bytes = contentsOf(file);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    const auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return {word(16), word(20)};
}

// A user's home in a temporary folder, with Saporia installed under ~/.local the
// way `make install` does it.
class InstalledForAUser : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(home());
        install(prefix(), home());
    }

    static void install(const fs::path& prefix, const fs::path& home)
    {
        const Finished installed = runCommand({SAPORIA_CMAKE, "--install", SAPORIA_BUILD_DIR, "--prefix", prefix.string()},
                                              {{"HOME", home.string()}, {"XDG_DATA_HOME", std::nullopt}});
        ASSERT_EQ(installed.status, 0) << installed.output;
    }

    Finished uninstall() const
    {
        return runCommand({SAPORIA_CMAKE, "-DMANIFEST=" + manifest().string(), "-P",
                           SAPORIA_SOURCE_DIR "/desktop/Uninstall.cmake"});
    }

    // Starts the installed launcher offscreen; the program ends after its first frame.
    Finished startFromTheMenu(const Environment& extra = {}) const
    {
        Environment environment{{"HOME", home().string()},
                                {"XDG_DATA_HOME", std::nullopt},
                                {"QT_QPA_PLATFORM", "offscreen"},
                                {"SAPORIA_FIRST_FRAME_PROBE", "1"}};
        for (const auto& [name, value] : extra)
            environment[name] = value;
        return runCommand({(prefix() / "bin" / "saporia-launcher").string()}, environment);
    }

    fs::path home() const { return dir_.path() / "home"; }
    fs::path prefix() const { return home() / ".local"; }
    fs::path dataLocation() const { return home() / ".local" / "share" / "saporia"; }
    fs::path entry() const { return prefix() / "share" / "applications" / "saporia.desktop"; }
    fs::path manifest() const { return prefix() / "share" / "saporia" / "install_manifest.txt"; }

    TestWorkingDirectory dir_{TestWorkingDirectory::Data::None};
};

const std::set<std::string> kInstalledFiles{
    "bin/saporia",
    "bin/saporia-launcher",
    "bin/saporia-import",
    "bin/saporia-makedb",
    "share/applications/saporia.desktop",
    "share/icons/hicolor/16x16/apps/saporia.png",
    "share/icons/hicolor/32x32/apps/saporia.png",
    "share/icons/hicolor/48x48/apps/saporia.png",
    "share/icons/hicolor/128x128/apps/saporia.png",
    "share/icons/hicolor/256x256/apps/saporia.png",
    "share/saporia/install_manifest.txt",
    "share/saporia/links/Saporia's Forum.url",
    "share/saporia/links/Saporia's Home Page.url",
    "share/saporia/links/Saporia's Mailing List.url",
    "share/saporia/sr28/FD_GROUP.txt.gz",
    "share/saporia/sr28/FOOD_DES.txt.gz",
    "share/saporia/sr28/NUTR_DEF.txt.gz",
    "share/saporia/sr28/NUT_DATA.txt.gz",
    "share/saporia/sr28/SHA256SUMS.txt",
    "share/saporia/sr28/WEIGHT.txt.gz",
};

TEST_F(InstalledForAUser, InstallsExactlyTheProgramItsDataSourcesEntryAndIconsAndListsThem)
{
    EXPECT_EQ(filesUnder(prefix()), kInstalledFiles);

    std::set<std::string> listed;
    std::ifstream in(manifest());
    for (std::string line; std::getline(in, line);)
        listed.insert(fs::relative(line, prefix()).string());
    EXPECT_EQ(listed, kInstalledFiles);

    for (const int size : {16, 32, 48, 128, 256}) {
        const auto file = prefix() / "share/icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps/saporia.png";
        EXPECT_EQ(pngSize(file), std::make_pair(size, size)) << file;
    }
    EXPECT_EQ(contentsOf(prefix() / "share/saporia/sr28/NUT_DATA.txt.gz"), contentsOf(referenceFolder() / "NUT_DATA.txt.gz"));
}

TEST_F(InstalledForAUser, MenuEntryValidatesAndStartsTheLauncherInTheDataLocation)
{
    if (runCommand({"sh", "-c", "command -v desktop-file-validate"}).status != 0)
        GTEST_SKIP() << "desktop-file-validate is not installed (make deps installs it)";
    const Finished validated = runCommand({"desktop-file-validate", entry().string()});
    EXPECT_EQ(validated.status, 0) << validated.output;
    EXPECT_EQ(validated.output, "");

    EXPECT_EQ(entryValue(entry(), "Path"), dataLocation().string());
    EXPECT_EQ(entryValue(entry(), "Exec"), "\"" + (prefix() / "bin" / "saporia-launcher").string() + "\"");
    EXPECT_EQ(entryValue(entry(), "Icon"), "saporia");
    // A menu start fails when its working folder is missing.
    EXPECT_TRUE(fs::is_directory(dataLocation()));
}

TEST_F(InstalledForAUser, ASharedPrefixGetsAnEntryWithoutTheInstallersHomeFolder)
{
    const fs::path shared = dir_.path() / "opt" / "saporia 1";
    install(shared, home());
    const fs::path sharedEntry = shared / "share" / "applications" / "saporia.desktop";
    EXPECT_EQ(entryValue(sharedEntry, "Path"), std::nullopt);
    EXPECT_EQ(entryValue(sharedEntry, "Exec"), "\"" + (shared / "bin" / "saporia-launcher").string() + "\"");
}

TEST_F(InstalledForAUser, FirstStartBuildsTheFullDataFolderAndTheNextStartLeavesItUnchanged)
{
    const Finished first = startFromTheMenu();
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_NE(first.output.find("first-frame"), std::string::npos) << first.output;

    const StoredData stored(dataLocation() / "data" / "saporia.sqlite");
    EXPECT_EQ(stored.count(R"(SELECT count(*) FROM "FD_GROUP.db")"), 25);
    EXPECT_EQ(stored.count(R"(SELECT count(*) FROM "FOOD_DES.db")"), 8789);
    EXPECT_EQ(stored.count(R"(SELECT count(*) FROM "NUTR_DEF.db")"), 150);
    EXPECT_EQ(stored.count(R"(SELECT count(*) FROM "NUT_DATA.db")"), 679045);
    EXPECT_EQ(stored.count(R"(SELECT count(*) FROM "WEIGHT.db")"), 15438);
    EXPECT_EQ(stored.count(R"(SELECT count(*) FROM "Recipe_Des.DB")"), 3);
    // The bottom bar's links are read from the working folder.
    EXPECT_EQ(contentsOf(dataLocation() / "Saporia's Home Page.url"),
              contentsOf(fs::path(SAPORIA_SOURCE_DIR) / "Saporia's Home Page.url"));

    const auto afterFirst = snapshot(dataLocation() / "data");
    const Finished second = startFromTheMenu();
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_NE(second.output.find("first-frame"), std::string::npos) << second.output;
    EXPECT_TRUE(snapshot(dataLocation() / "data") == afterFirst) << "the second start changed data/";
}

TEST_F(InstalledForAUser, AnExistingDataFolderUnderXdgDataHomeIsUsedAsItIsWithTheUsersOwnLinks)
{
    TestWorkingDirectory fixture;
    const fs::path location = dir_.path() / "xdg" / "saporia";
    fs::create_directories(location);
    fs::copy(fixture.dataFolder(), location / "data", fs::copy_options::recursive);
    std::ofstream(location / "Saporia's Forum.url") << "[InternetShortcut]\nURL=https://forum.example.net/\n";
    const auto before = snapshot(location);

    const Finished started = startFromTheMenu({{"XDG_DATA_HOME", (dir_.path() / "xdg").string()}});
    ASSERT_EQ(started.status, 0) << started.output;
    EXPECT_NE(started.output.find("first-frame"), std::string::npos) << started.output;

    auto after = snapshot(location);
    EXPECT_EQ(after.erase("Saporia's Home Page.url") + after.erase("Saporia's Mailing List.url"), 2u);
    EXPECT_TRUE(after == before) << "the start changed the user's data or links";
    EXPECT_FALSE(fs::exists(dataLocation() / "data"));
}

TEST_F(InstalledForAUser, ARelativeXdgDataHomeIsIgnoredAsTheXdgRuleSays)
{
    TestWorkingDirectory fixture;
    fs::copy(fixture.dataFolder(), dataLocation() / "data", fs::copy_options::recursive);
    const Finished started = startFromTheMenu({{"XDG_DATA_HOME", "relative/share"}});
    ASSERT_EQ(started.status, 0) << started.output;
    EXPECT_TRUE(fs::exists(dataLocation() / "Saporia's Forum.url"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
}

TEST_F(InstalledForAUser, UninstallRemovesEveryInstalledFileAndLeavesTheDataLocationAlone)
{
    fs::create_directories(dataLocation() / "data");
    std::ofstream(dataLocation() / "data" / "saporia.sqlite") << "the user's recipes";
    std::ofstream(dataLocation() / "Saporia's Forum.url") << "[InternetShortcut]\nURL=https://forum.example.net/\n";
    const auto before = snapshot(dataLocation() / "data");

    const Finished removed = uninstall();
    ASSERT_EQ(removed.status, 0) << removed.output;

    EXPECT_EQ(filesUnder(prefix()), (std::set<std::string>{"share/saporia/Saporia's Forum.url",
                                                            "share/saporia/data/saporia.sqlite"}));
    EXPECT_TRUE(snapshot(dataLocation() / "data") == before);
    EXPECT_FALSE(fs::exists(dataLocation() / "sr28"));

    // Nothing left to uninstall is said, not done quietly.
    EXPECT_NE(uninstall().status, 0);
}

TEST(InstalledProgram, HelpAndVersionAnswerOnTheTerminalWithoutADisplay)
{
    const Environment noDisplay{{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}};
    const Finished help = runCommand({SAPORIA_PROGRAM, "--help"}, noDisplay);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.output.starts_with("Usage: saporia [--help | --version]\n")) << help.output;
    EXPECT_NE(help.output.find("~/.local/share/saporia"), std::string::npos);

    const Finished version = runCommand({SAPORIA_PROGRAM, "--version"}, noDisplay);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "Saporia " SAPORIA_VERSION "\n");
}

} // namespace
