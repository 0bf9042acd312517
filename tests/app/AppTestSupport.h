#pragma once

#include "Messages.h"
#include "StartUp.h"
#include "TestDataFolder.h"

#include <gtest/gtest.h>

// The program's objects created over the fixture data, as start-up creates them.
class ProgramTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    MessageRecorder messages;

    void SetUp() override { CreateApplicationObjects(); }
    void TearDown() override { DestroyApplicationObjects(); }
};
