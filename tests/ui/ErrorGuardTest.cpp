#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/GraphicButton.h"
#include "seams/Messages.h"
#include "store/ProgramError.h"
#include "tests/ui/UiTestSupport.h"

#include <QEventLoop>
#include <QFontInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ErrorGuardTest, ProgramErrorsShowTheirMessageAndOthersShowAnEmptyError)
{
    MessageRecorder recorder;
    EXPECT_FALSE(guarded([] { throw ProgramError("Cannot perform this operation on an empty dataset"); }));
    EXPECT_FALSE(guarded([] { throw std::runtime_error("internal detail"); }));
    EXPECT_FALSE(guarded([] { throw 42; }));
    EXPECT_TRUE(guarded([] {}));
    ASSERT_EQ(recorder.messages().size(), 3u);
    for (const auto& message : recorder.messages()) {
        EXPECT_EQ(message.kind, MessageKind::Error);
        EXPECT_EQ(message.caption, "Error");
    }
    EXPECT_EQ(recorder.texts(),
              (std::vector<std::string>{"Cannot perform this operation on an empty dataset", "", ""}));
}

TEST(ErrorGuardTest, AThrowingClickHandlerIsReportedAndTheButtonStaysUsable)
{
    MessageRecorder recorder;
    QWidget parent;
    auto* button = new TGraphicButton(&parent);
    int calls = 0;
    button->OnClick = [&calls] {
        if (++calls == 1)
            throw ProgramError("Key violation");
    };
    ui_test::click(button);
    ui_test::click(button);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(recorder.texts(), std::vector<std::string>{"Key violation"});
    EXPECT_FALSE(button->PressedLook());
}

// An object whose event handling throws, as a handler without its own guard would.
class Thrower : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw ProgramError("thrown from an event");
        return QObject::event(event);
    }
};

TEST(ErrorGuardTest, TheEventLoopGoesOnAfterAThrownError)
{
    MessageRecorder recorder;
    Thrower thrower;
    QEventLoop loop;
    bool later = false;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTimer::singleShot(0, &loop, [&] {
        later = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_TRUE(later);
    EXPECT_EQ(recorder.texts(), std::vector<std::string>{"thrown from an event"});
}

TEST(FontsTest, TheFormsFontMapsToAnInstalledSansFont)
{
    installFontSubstitutions();
    const QString family = QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family();
    EXPECT_TRUE(family == QStringLiteral("Liberation Sans") || family == QStringLiteral("DejaVu Sans"))
        << family.toStdString();
}

} // namespace
