#pragma once

#include "support/StoredData.h"

#include <filesystem>
#include <functional>
#include <string>

// A fresh temporary working directory for one test, made current for the test's
// lifetime. With data, it holds `data/`: the fixture data folder that the
// installation tool built from a small part of the reference data (a few dozen
// foods with all their values and measures, every food group and nutrient, the
// starter content). Removed, and the previous directory restored, on destruction.
class TestWorkingDirectory {
public:
    enum class Data { Fixture, None };
    explicit TestWorkingDirectory(Data data = Data::Fixture);
    ~TestWorkingDirectory();
    TestWorkingDirectory(const TestWorkingDirectory&) = delete;
    TestWorkingDirectory& operator=(const TestWorkingDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path dataFolder() const { return path_ / "data"; }
    std::filesystem::path databaseFile() const;
    // The data file through an independent connection.
    StoredData stored() const { return StoredData(databaseFile()); }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// The folder that holds the reference files the tool imports.
std::filesystem::path referenceFolder();

// Another program holding the data file: while it lives, every write waits and
// then fails as "in use by another program". The wait is made short, so that a
// test of a held file takes a fraction of a second.
class HeldDataFile {
public:
    // Writes: the other program is writing (reads go on). Everything: it holds
    // the file whole, so that even reading it fails.
    enum class Hold { Writes, Everything };
    explicit HeldDataFile(const std::filesystem::path& databaseFile, Hold hold = Hold::Writes);
    ~HeldDataFile();
    HeldDataFile(const HeldDataFile&) = delete;
    HeldDataFile& operator=(const HeldDataFile&) = delete;
    void release();

private:
    struct Holder;
    Holder* holder_;
};

// The message of the program error an action raises, or "no error".
std::string errorOf(const std::function<void()>& action);
