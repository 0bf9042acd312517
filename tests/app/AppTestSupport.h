#pragma once

#include "seams/Messages.h"
#include "app/StartUp.h"
#include "support/TestDataFolder.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

// The program's objects created over the fixture data, as start-up creates them.
class ProgramTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    MessageRecorder messages;

    void SetUp() override { CreateApplicationObjects(); }
    void TearDown() override { DestroyApplicationObjects(); }
};

// Replaces what `box` shows by typing, as the user does, with the focus in the box.
inline void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
