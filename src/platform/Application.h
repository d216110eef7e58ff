#pragma once
// The application object: what the program's entry and its windows need of the platform's
// application, over a QApplication.
//
// Exactly one exists at a time, made by the program's entry (or a GUI test's main) before any
// window; `application()` reaches it. Everything runs on the thread that made it.
//
// Qt's widget libraries are built without exception support, so an exception must not unwind
// through their frames: every handler of ours is connected through `handler()`, which catches at
// the edge. The QApplication's notify catches what still escapes an event, as a last resort. Both
// show the message with ShowException and let the program go on.

#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include <QWidget>

#include "platform/Text.h"

namespace platform {

class Application {
public:
    // Initialize: makes the QApplication, with Qt's own texts (buttons, file dialogs) in Czech.
    // The arguments after the program's path are kept first, as given, since Qt removes the
    // options it knows from argv. `argc` and `argv` must outlive the object.
    Application(int& argc, char** argv);

    // Destroys the main form, then the QApplication.
    ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The command-line arguments after the program's own path, as Windows-1250 text; a character
    // that the code page cannot hold becomes "?".
    const std::vector<Text>& Arguments() const { return arguments_; }

    // Makes a new `Form` the main form: Run shows it, closing it asks the application to
    // terminate, and it lives until the application is destroyed.
    template <typename Form, typename... Args>
    Form& CreateForm(Args&&... args) {
        auto form = std::make_unique<Form>(std::forward<Args>(args)...);
        Form& created = *form;
        setMainForm(std::move(form));
        return created;
    }

    // Shows the main form and processes events until Terminate is asked for. Returns at once
    // when Terminate came first.
    void Run();

    // Processes the pending events once (repaints, input, timers that are due), then returns.
    void ProcessMessages();

    // Asks the event loop to end once control returns to it: from a handler that Run's loop
    // called, also from inside a pumped run (a modal box opened afterwards closes at once), and
    // before Run has started (Run then returns at once). Never ends the process by itself.
    void Terminate();

    // True once Terminate was asked for.
    bool Terminated() const { return terminated_; }

    // The top-level display of an exception: its message (see exceptionMessage) in a message box
    // through the modal seam. A null `error` shows nothing.
    void ShowException(std::exception_ptr error);

    // The application's title, the caption of message boxes: the executable's file name.
    Text Title() const;

    // Forgets an earlier Terminate, so that one test process can run several programs.
    void ClearTerminateForTesting() { terminated_ = false; }

    // True when Qt has a display to use: DISPLAY or WAYLAND_DISPLAY is set, or a platform was
    // chosen with QT_QPA_PLATFORM. Without one, making a QApplication aborts the process.
    static bool DisplayAvailable();

    // Chooses Qt's offscreen platform, which needs no display. Call before the object is made.
    static void UseOffscreenPlatform();

private:
    class QtApplication;

    void setMainForm(std::unique_ptr<QWidget> form);

    std::vector<Text> arguments_;
    std::unique_ptr<QtApplication> qt_;
    std::unique_ptr<QWidget> mainForm_;
    bool terminated_ = false;
    bool running_ = false;
};

// The application object that exists; calling this without one is a programming error.
Application& application();

// Wraps the event handler `h` (a callable without arguments) for QObject::connect: an exception
// that escapes it is shown by ShowException and goes no further.
template <typename Handler>
auto handler(Handler h) {
    return [h = std::move(h)]() {
        try {
            h();
        } catch (...) {
            application().ShowException(std::current_exception());
        }
    };
}

} // namespace platform
