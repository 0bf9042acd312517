// The page fuzzer's seed pages, replayed: each is read without a fault.

#include "exchange/RecipeReaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TEST(FuzzSeeds, EveryRecipePageSeedIsReadWithoutAFault)
{
    const fs::path seeds = fs::path(SAPORIA_SOURCE_DIR) / "fuzz" / "seeds" / "recipe-page";
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(seeds)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const RecipeReading reading = readRecipePage(bytes.str());
        EXPECT_TRUE(reading.ok() || !reading.problem.empty()) << entry.path();
        ++replayed;
    }
    EXPECT_GE(replayed, 5);
}
