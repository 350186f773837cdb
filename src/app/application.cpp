#include "app/application.hpp"

#include <gtk/gtk.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "app/desktop_window.hpp"
#include "app/editor_stack.hpp"
#include "app/glib_event_loop.hpp"
#include "app/gtk_platform.hpp"
#include "app/history_window.hpp"
#include "app/library_window.hpp"
#include "app/manual.hpp"
#include "app/monitor_window.hpp"
#include "app/preferences_dialog.hpp"
#include "app/single_instance.hpp"

namespace vornix::app {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitStartupFailed = 1;

StackOptions stackOptions(const Options& options) {
    StackOptions stack;
    stack.simulator = options.simulator;
    stack.traceMode = options.trace;
    stack.trace = &std::cerr;
    return stack;
}

// What went wrong: the display GTK tried (--display, else $DISPLAY), or none.
std::string displayProblem() {
    const char* name = gdk_get_display_arg_name();
    if (!name) name = std::getenv("DISPLAY");
    if (!name || !*name) return "no display is set";
    return std::string("cannot open the display \"") + name + "\"";
}

}  // namespace

int runApplication(const Options& options, int& argc, char**& argv) {
    const storage::DataFolder folder = dataFolderOf(options);
    SingleInstance instance(folder.root());
    if (!instance.acquire()) {
        instance.askFirstToRaise();
        return ExitOk;
    }
    // The desktop matches the window to its .desktop file by this name.
    g_set_prgname(DesktopWindow::AppId);
    g_set_application_name(ProgramName);
    if (!gtk_init_check(&argc, &argv)) {
        std::cerr << "vornix-control: " << displayProblem()
                  << " (--render-to and --headless work without one)\n";
        return ExitStartupFailed;
    }

    GLibEventLoop loop;
    GtkPlatform platform(loop);
    std::unique_ptr<EditorStack> stack;
    std::unique_ptr<DesktopWindow> window;
    std::unique_ptr<MonitorWindow> monitor;
    std::unique_ptr<HistoryWindow> history;
    std::unique_ptr<LibraryWindow> library;
    try {
        // Messages of the host's start-up (an audio device that failed) wait for the window.
        stack = std::make_unique<EditorStack>(
            loop, folder, platform, stackOptions(options),
            [&platform](const std::string& text, const std::string& caption) {
                platform.showLater(text, caption);
            });
        stack->start();
        // The window backs the pedal up before a destructive step.
        stack->editor().backups().setEnabled(true);
        WindowCommands commands;
        commands.preferences = [&] { runPreferencesDialog(window->window(), stack->host()); };
        commands.about = [&] { showAbout(stack->editor(), window->view(), platform); };
        commands.manual = [&] { openManual(folder, platform); };
        commands.monitor = [&] {
            if (!monitor)
                monitor = std::make_unique<MonitorWindow>(stack->capture(), folder.root());
            monitor->present(window->window());
        };
        commands.history = [&] {
            if (!history) history = std::make_unique<HistoryWindow>(stack->editor());
            history->present(window->window());
        };
        commands.library = [&] {
            if (!library) library = openLibraryWindow(stack->editor(), folder, window->window());
            if (library) library->present(window->window());
        };
        commands.closed = [&] {
            library.reset();
            history.reset();
            monitor.reset();
            stack->shutDown();
            gtk_main_quit();
        };
        window =
            std::make_unique<DesktopWindow>(stack->editor(), loop, platform, std::move(commands),
                                            stack->host().settingsFile().hasScale());
        // Several pedals answered the search at the first start: the user
        // chooses in MIDI Settings, opened once the search's handler returned.
        stack->host().setPedalsHook([&](const std::vector<host::FoundPedal>& pedals) {
            loop.post(
                [&, pedals] { runPreferencesDialog(window->window(), stack->host(), pedals); });
        });
    } catch (const std::exception& e) {
        std::cerr << "vornix-control: " << e.what() << '\n';
        return ExitStartupFailed;
    } catch (...) {
        return ExitStartupFailed;
    }
    instance.listen([&window] { window->present(); });

    gtk_main();

    library.reset();
    history.reset();
    monitor.reset();
    window.reset();
    stack.reset();
    return ExitOk;
}

}  // namespace vornix::app
