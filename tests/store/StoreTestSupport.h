#pragma once

#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// A fixture working directory with the food database open, and an independent
// connection for checking what is really stored.
class StoreTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    Database db{"sv FoodDatabase", "data"};
};

