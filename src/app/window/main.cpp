// Starts the window and serves it until it is closed.
//   conversor [--screenshot FILE] | --version
// --screenshot saves a picture of the window as it opens and exits.
// --version prints the versions and exits, before any display is opened.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string.h>  // sigabbrev_np

#include "app/stop_signals.h"
#include "app/window/tfconverte.h"
#include "app/window/toolkit_translation.h"
#include "version/version_text.h"

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(conversor::VersionText("conversor").c_str(), stdout);
            return 0;
        }
    // Before the toolkit and the client library start any thread.
    conversor::BlockStopSignals();
    QApplication app(argc, argv);
    const conversor::ToolkitTranslation portuguese;
    const char* screenshot = nullptr;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--screenshot") == 0) screenshot = argv[i + 1];

    conversor::TFConverte FConverte;
    if (QScreen* screen = app.primaryScreen())
        FConverte.move(screen->availableGeometry().center() - FConverte.rect().center());
    FConverte.show();

    if (screenshot) {
        int status = 1;
        QTimer::singleShot(0, &FConverte, [&] {
            status = FConverte.grab().save(QString::fromLocal8Bit(screenshot)) ? 0 : 1;
            app.quit();
        });
        app.exec();
        return status;
    }
    // Ends before the window, whose session's connections it cancels.
    conversor::StopSignalWatcher watcher(FConverte.session().stop, [&FConverte](int signal) {
        QMetaObject::invokeMethod(&FConverte, [&FConverte, signal] { FConverte.stopBySignal(signal); },
                                  Qt::QueuedConnection);
    });
    // The window is not deleted before the event loop ends, so a run still
    // on the stack when it is closed finishes first.
    const int status = app.exec();
    const conversor::StopRequest& stop = FConverte.session().stop;
    if (!stop.requested()) return status;
    std::fprintf(stderr, "conversor: stopped by SIG%s\n", sigabbrev_np(stop.reason()));
    return conversor::ExitStatusForSignal(stop.reason());
}
