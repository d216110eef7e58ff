#include "platform/Application.h"

#include <stdexcept>

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/support/ScriptedModal.h"
#include "platform/Exception.h"
#include "platform/Modal.h"

using platform::application;
using platform::cz;

namespace {

class ApplicationObject : public testing::Test {
protected:
    void SetUp() override { application().ClearTerminateForTesting(); }
    void TearDown() override { application().ClearTerminateForTesting(); }

    // Ends a Run that would otherwise hang the test; `hung` tells whether it had to.
    struct Watchdog {
        bool hung = false;
        QTimer timer;
        Watchdog() {
            timer.setSingleShot(true);
            QObject::connect(&timer, &QTimer::timeout, [this] {
                hung = true;
                QCoreApplication::exit(1);
            });
            timer.start(5000);
        }
    };
};

TEST_F(ApplicationObject, TerminateBeforeRunMakesRunReturnAtOnce) {
    auto& form = application().CreateForm<QWidget>();
    application().Terminate();
    Watchdog watchdog;
    application().Run();
    EXPECT_FALSE(watchdog.hung);
    EXPECT_FALSE(form.isVisible()) << "the loop never started, so the form was not shown";
    EXPECT_TRUE(application().Terminated());
}

TEST_F(ApplicationObject, TerminateInsideAPumpedHandlerEndsTheLoopOnceControlReturns) {
    auto& form = application().CreateForm<QWidget>();
    bool shownInRun = false;
    bool handlerFinished = false;
    int pumpedTimerFired = 0;
    QTimer::singleShot(0, &form, platform::handler([&] {
                           shownInRun = form.isVisible();
                           application().Terminate();
                           // The handler goes on after the request, and events are still processed
                           // meanwhile.
                           QTimer::singleShot(0, &form, [&] { ++pumpedTimerFired; });
                           application().ProcessMessages();
                           handlerFinished = true;
                       }));
    Watchdog watchdog;
    application().Run();
    EXPECT_FALSE(watchdog.hung);
    EXPECT_TRUE(shownInRun);
    EXPECT_TRUE(handlerFinished);
    EXPECT_EQ(pumpedTimerFired, 1);
    EXPECT_TRUE(application().Terminated());
}

TEST_F(ApplicationObject, AModalBoxOpenedAfterTerminateInsideTheLoopClosesAtOnce) {
    auto& form = application().CreateForm<QWidget>();
    bool boxReturned = false;
    QTimer::singleShot(0, &form, platform::handler([&] {
                           application().Terminate();
                           platform::modal().ShowMessage("after the request");
                           boxReturned = true;
                       }));
    Watchdog watchdog;
    application().Run();
    EXPECT_FALSE(watchdog.hung);
    EXPECT_TRUE(boxReturned);
}

TEST_F(ApplicationObject, ClosingTheMainFormAsksToTerminate) {
    auto& form = application().CreateForm<QWidget>();
    QTimer::singleShot(0, &form, [&] { form.close(); });
    Watchdog watchdog;
    application().Run();
    EXPECT_FALSE(watchdog.hung);
    EXPECT_TRUE(application().Terminated());
}

TEST_F(ApplicationObject, ClosingAnotherWindowDoesNotTerminate) {
    application().CreateForm<QWidget>();
    QWidget other;
    other.show();
    other.close();
    EXPECT_FALSE(application().Terminated());
}

TEST_F(ApplicationObject, AnExceptionThatEscapesAHandlerIsShownAndTheProgramGoesOn) {
    const struct {
        const char* name;
        std::function<void()> thrower;
        Text shown;
    } cases[] = {
        {"platform exception, Windows-1250 message",
         [] { throw platform::Exception(cz("Unable to write to /data/Čísla/Settings.ini")); },
         cz("Unable to write to /data/Čísla/Settings.ini")},
        {"standard exception, UTF-8 message", [] { throw std::runtime_error("chyba – ž"); },
         cz("chyba – ž")},
        {"anything else", [] { throw 42; }, cz("Neznámá chyba.")},
    };
    for (const auto& c : cases) {
        guitest::ScriptedModal modal;
        QPushButton button("throws");
        int clicks = 0;
        QObject::connect(&button, &QPushButton::clicked, platform::handler([&] {
            ++clicks;
            c.thrower();
        }));
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicks, 2) << c.name;
        EXPECT_EQ(modal.messages(), (std::vector<Text>{c.shown, c.shown})) << c.name;
    }
}

TEST_F(ApplicationObject, NotifyShowsWhatEscapesAnEventHandlerOfAnObject) {
    struct Thrower : QObject {
        bool event(QEvent* event) override {
            if (event->type() == QEvent::User) {
                throw platform::Exception("from an event");
            }
            return QObject::event(event);
        }
    } thrower;
    guitest::ScriptedModal modal;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    application().ProcessMessages();
    EXPECT_EQ(modal.messages(), (std::vector<Text>{"from an event", "from an event"}));
}

TEST_F(ApplicationObject, TheTitleIsTheExecutableName) {
    EXPECT_EQ(application().Title(), "gui_platform");
}

} // namespace
