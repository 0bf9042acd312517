#pragma once

#include "seams/Messages.h"
#include "app/StartUp.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

// The program's objects created over the fixture data, as start-up creates them.
class ProgramTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    MessageRecorder messages;

    void SetUp() override { CreateApplicationObjects(); }
    void TearDown() override { DestroyApplicationObjects(); }
};
