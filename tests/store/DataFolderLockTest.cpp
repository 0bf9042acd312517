#include "store/DataFolderLock.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(DataFolderLock, ASecondGuardOnAHeldFolderIsRefusedUntilTheFirstEnds)
{
    TestWorkingDirectory dir;
    {
        const DataFolderLock first(dir.dataFolder());
        ASSERT_EQ(first.state(), DataFolderLock::State::Held);
        const DataFolderLock second(dir.dataFolder());
        EXPECT_EQ(second.state(), DataFolderLock::State::HeldByOther);
    }
    EXPECT_EQ(DataFolderLock(dir.dataFolder()).state(), DataFolderLock::State::Held);
}

// What two copies of the program meet: the guard of another process.
TEST(DataFolderLock, AnotherProcessIsRefusedWhileThisOneHoldsTheFolder)
{
    TestWorkingDirectory dir;
    const DataFolderLock running(dir.dataFolder());
    ASSERT_EQ(running.state(), DataFolderLock::State::Held);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const DataFolderLock second(dir.dataFolder());
        _exit(second.state() == DataFolderLock::State::HeldByOther ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(DataFolderLock, AMissingFolderIsLeftToTheEngineToReport)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    EXPECT_EQ(DataFolderLock(dir.dataFolder()).state(), DataFolderLock::State::Unavailable);
}

} // namespace
