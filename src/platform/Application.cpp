#include "platform/Application.h"

#include <cassert>
#include <cstdlib>

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/Exception.h"
#include "platform/Modal.h"
#include "platform/QtText.h"

namespace platform {
namespace {

Application* theApplication = nullptr;

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

// The QApplication: catches what escapes an event, and turns the main form's closing into a
// request to terminate.
class Application::QtApplication : public QApplication {
public:
    QtApplication(Application& owner, int& argc, char** argv)
        : QApplication(argc, argv), owner_(owner) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            owner_.ShowException(std::current_exception());
            return false;
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && watched == owner_.mainForm_.get()) {
            owner_.Terminate();
        }
        return QApplication::eventFilter(watched, event);
    }

private:
    Application& owner_;
};

Application::Application(int& argc, char** argv) {
    assert(!theApplication && "one application object at a time");
    for (int i = 1; i < argc; ++i) {
        arguments_.push_back(fromUtf8Lossy(argv[i]));
    }
    qt_ = std::make_unique<QtApplication>(*this, argc, argv);
    // The main form's closing ends the program (through Terminate), not the last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    auto* translator = new QTranslator(qt_.get());
    if (translator->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
    theApplication = this;
}

Application::~Application() {
    mainForm_.reset();
    qt_.reset();
    theApplication = nullptr;
}

void Application::setMainForm(std::unique_ptr<QWidget> form) {
    mainForm_ = std::move(form);
    mainForm_->installEventFilter(qt_.get());
}

void Application::Run() {
    if (terminated_ || !mainForm_) {
        return;
    }
    mainForm_->show();
    running_ = true;
    QApplication::exec();
    running_ = false;
}

void Application::ProcessMessages() {
    QCoreApplication::processEvents();
}

void Application::Terminate() {
    terminated_ = true;
    // exit, not quit: quit would first try to close every window. Outside Run's loop there is
    // nothing to end, and exit would make the next modal loop return at once.
    if (running_) {
        QCoreApplication::exit(0);
    }
}

void Application::ShowException(std::exception_ptr error) {
    if (error) {
        modal().ShowMessage(exceptionMessage(error));
    }
}

Text Application::Title() const {
    return fromQStringLossy(QCoreApplication::applicationName());
}

bool Application::DisplayAvailable() {
    return environmentSet("DISPLAY") || environmentSet("WAYLAND_DISPLAY") ||
           environmentSet("QT_QPA_PLATFORM");
}

void Application::UseOffscreenPlatform() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

Application& application() {
    assert(theApplication && "the program makes the application object first");
    return *theApplication;
}

} // namespace platform
