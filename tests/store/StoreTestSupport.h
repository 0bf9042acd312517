#pragma once

#include "store/Database.h"
#include "store/Sqlite.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <string>

// A fixture working directory with the food database open, and an independent
// connection for checking what is really stored.
class StoreTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    Database db{"sv FoodDatabase", "data"};

    std::int64_t storedCount(const std::string& sql)
    {
        SqliteDatabase check(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);
        auto statement = check.prepare(sql);
        statement.step();
        return statement.columnInt(0);
    }
};
