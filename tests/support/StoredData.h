#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The data file read and written through a connection of its own, past the table
// engine, as another program would: what a test checks here is what is really stored.
class StoredData {
public:
    explicit StoredData(std::filesystem::path file) : file_(std::move(file)) {}

    // The first column of the first row, as a whole number.
    std::int64_t count(const std::string& sql) const;
    // Every row of a statement, each as its columns' texts joined by '|' (NULL as "NULL").
    std::vector<std::string> rows(const std::string& sql) const;
    // The first column of every row, as whole numbers.
    std::vector<std::int64_t> numbers(const std::string& sql) const;
    void execute(const std::string& sql) const;
    // Takes the file back to the layout it had at `version` (0 or later), as an older
    // Saporia left it, for upgrade tests.
    void revertLayoutTo(int version) const;

private:
    std::filesystem::path file_;
};
