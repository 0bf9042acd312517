#pragma once

#include "foods/DatabaseFood.h"
#include "seams/Messages.h"
#include "store/ProgramError.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A food module over a fresh copy of the fixture data, with every message box
// recorded. Rows a test needs beyond the fixture are stored with seed() before
// the module is first used.
class FoodsTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    MessageRecorder messages;

    TDataModuleFoods& foods();
    void seed(const std::string& sql) { dir.stored().execute(sql); }
    std::int64_t count(const std::string& sql) { return dir.stored().count(sql); }
    // The values of one field over the rows a set shows, in order.
    static std::vector<std::int64_t> numbers(RecordSet& set, const std::string& field);

private:
    std::unique_ptr<TDataModuleFoods> module_;
};
