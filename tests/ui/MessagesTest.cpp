#include "ui/MessageBoxes.h"
#include "seams/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList buttonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

TEST(MessageBoxesTest, EachKindOfBoxHasItsCaptionIconAndButtons)
{
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);

    auto notice = MessageBoxes::build(MessageKind::Notice, captionOf(MessageKind::Notice), "Already Added");
    EXPECT_EQ(notice->windowTitle(), QStringLiteral("Saporia"));
    EXPECT_EQ(notice->text(), QStringLiteral("Already Added"));
    EXPECT_EQ(notice->buttons().size(), 1);
    EXPECT_EQ(notice->icon(), QMessageBox::NoIcon);

    auto confirmation = MessageBoxes::build(MessageKind::Confirmation, captionOf(MessageKind::Confirmation), "x");
    EXPECT_EQ(confirmation->windowTitle(), QStringLiteral("Confirmation!"));
    EXPECT_EQ(buttonTexts(*confirmation), (QStringList{"&No", "&Yes"}));

    auto confirm = MessageBoxes::build(MessageKind::Confirm, captionOf(MessageKind::Confirm), "x");
    EXPECT_EQ(confirm->windowTitle(), QStringLiteral("Confirm"));
    EXPECT_EQ(confirm->icon(), QMessageBox::Question);
    EXPECT_EQ(buttonTexts(*confirm), (QStringList{"&No", "&Yes"}));
    EXPECT_EQ(confirm->parentWidget(), &owner);

    auto warning = MessageBoxes::build(MessageKind::Warning, captionOf(MessageKind::Warning), "x");
    EXPECT_EQ(warning->windowTitle(), QStringLiteral("WARNING"));
    EXPECT_EQ(buttonTexts(*warning), (QStringList{"&No", "&Yes"}));
    EXPECT_EQ(warning->parentWidget(), nullptr);

    auto error = MessageBoxes::build(MessageKind::Error, captionOf(MessageKind::Error), "Key violation");
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
    EXPECT_EQ(error->text(), QStringLiteral("Key violation"));
}

// Answers the next box that opens by pressing the button with that text.
void answerNextBox(const QString& buttonText, QString* seenTitle)
{
    QTimer::singleShot(0, [buttonText, seenTitle] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *seenTitle = box->windowTitle();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == buttonText)
                button->click();
    });
}

TEST(MessageBoxesTest, QuestionsAnswerYesOnlyForTheYesButton)
{
    MessageBoxes boxes;
    QString title;
    answerNextBox(QStringLiteral("&Yes"), &title);
    EXPECT_TRUE(askConfirm("Delete?"));
    EXPECT_EQ(title, QStringLiteral("Confirm"));
    answerNextBox(QStringLiteral("&No"), &title);
    EXPECT_FALSE(askConfirmation("Are you sure you want to delete [ Soups ]"));
    EXPECT_EQ(title, QStringLiteral("Confirmation!"));
    answerNextBox(QStringLiteral("OK"), &title);
    showMessage("Not Implemented Yet");
    EXPECT_EQ(title, QStringLiteral("Saporia"));
}

TEST(MessageRecorderTest, KeepsExactCaptionsAndTextsAndAnswersFromItsScript)
{
    MessageRecorder recorder;
    recorder.answer(true);
    EXPECT_TRUE(askConfirmation("Are you sure you want to delete [ Soups ]"));
    EXPECT_FALSE(askWarning("Clear?")); // unscripted: No
    showMessage("No Selected Record to Edit");
    ASSERT_EQ(recorder.messages().size(), 3u);
    EXPECT_EQ(recorder.messages()[0].caption, "Confirmation!");
    EXPECT_EQ(recorder.messages()[1].caption, "WARNING");
    EXPECT_EQ(recorder.messages()[2].caption, "Saporia");
    EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"Are you sure you want to delete [ Soups ]", "Clear?",
                                                           "No Selected Record to Edit"}));
}

} // namespace
