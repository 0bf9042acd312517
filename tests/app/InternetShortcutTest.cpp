#include "app/InternetShortcut.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

class InternetShortcut : public ::testing::Test {
protected:
    TestWorkingDirectory dir{TestWorkingDirectory::Data::None};
    std::vector<std::string> opened;
    AddressOpener previous = setAddressOpener([this](const std::string& address) { opened.push_back(address); });
    ~InternetShortcut() override { setAddressOpener(previous); }

    void write(const std::string& name, const std::string& text) { std::ofstream(name) << text; }
};

TEST_F(InternetShortcut, OpensTheWebAddressOfTheShortcutSection)
{
    write("Saporia's Forum.url", "[DEFAULT]\r\nBASEURL=https://elsewhere.example/\r\n[InternetShortcut]\r\nIDList=\r\n"
                                 "URL=https://forum.saporia.example.org/\r\nIconIndex=0\r\n");
    openInternetShortcut("Saporia's Forum.url");
    EXPECT_EQ(opened, std::vector<std::string>{"https://forum.saporia.example.org/"});
}

TEST_F(InternetShortcut, MailAddressesOpenToo)
{
    write("list.url", "[InternetShortcut]\nURL=mailto:cooks@saporia.example.org\n");
    openInternetShortcut("list.url");
    EXPECT_EQ(opened, std::vector<std::string>{"mailto:cooks@saporia.example.org"});
}

TEST_F(InternetShortcut, AnythingButAWebOrMailAddressIsIgnored)
{
    write("a.url", "[InternetShortcut]\nURL=file:///bin/sh\n");
    write("b.url", "[InternetShortcut]\nURL=javascript:alert(1)\n");
    write("c.url", "[Other]\nURL=https://not-in-the-section.example/\n");
    write("d.url", "[InternetShortcut]\nURL=https://\n");
    write("e.url", "");
    // A host alone does not make an address safe to open.
    write("f.url", "[InternetShortcut]\nURL=ftp://host/run.exe\n");
    write("g.url", "[InternetShortcut]\nURL=file://server/share/run.exe\n");
    for (const char* name : {"a.url", "b.url", "c.url", "d.url", "e.url", "f.url", "g.url", "missing.url"})
        openInternetShortcut(name);
    EXPECT_TRUE(opened.empty());
}

TEST(ShippedShortcuts, AllThreeCarryAWebAddress)
{
    for (const char* name : {"Saporia's Home Page.url", "Saporia's Mailing List.url", "Saporia's Forum.url"})
        EXPECT_TRUE(readShortcutAddress(std::filesystem::path(SAPORIA_SOURCE_DIR) / name).has_value()) << name;
}

} // namespace
