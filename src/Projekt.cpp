// The program's entry: initialise the application, create the main window, run.

#include <algorithm>
#include <cstdio>
#include <exception>

#include "Umain.h"
#include "platform/Application.h"
#include "platform/Text.h"

namespace {

// Without a display Qt would abort the process. An unattended run needs none: it goes to Qt's
// offscreen platform, so that a scheduler can start the program.
bool choosePlatform(int argc, char** argv) {
    if (platform::Application::DisplayAvailable()) {
        return true;
    }
    const bool unattended = std::any_of(argv + std::min(argc, 1), argv + argc, [](const char* a) {
        return TForm1::IsAutoModeArgument(platform::fromUtf8Lossy(a));
    });
    if (!unattended) {
        std::fputs("Projekt: no display available (DISPLAY is not set); start it with /auto for "
                   "an unattended run\n",
                   stderr);
        return false;
    }
    platform::Application::UseOffscreenPlatform();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!choosePlatform(argc, argv)) {
        return 1;
    }
    platform::Application application(argc, argv);
    try {
        Form1 = &application.CreateForm<TForm1>();
        application.Run();
    } catch (...) {
        application.ShowException(std::current_exception());
    }
    return 0;
}
