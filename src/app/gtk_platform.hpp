#pragma once
// The desktop services on GTK, for the editor (vornix::Platform) and for the
// control toolkit (igraphics::IPlatform); both share the same dialogs.
//
// Message boxes the editor asks for while a tick or the incoming handler runs
// (any callback of the event loop) are queued and shown one at a time once
// that callback has returned, so no modal loop ever runs inside them; their
// completions run when they are answered. Every other box is modal at once
// and its completion runs before messageBox returns.
#include <gtk/gtk.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "app/desktop_open.hpp"
#include "app/glib_event_loop.hpp"
#include "controls/iplatform.hpp"
#include "core/platform.hpp"

namespace vornix::app {

// Modal message box with an OK (and Cancel) button; closing it counts as
// Cancel, or as OK when OK is the only button.
Answer runMessageBox(GtkWindow* parent, const std::string& text, const std::string& caption,
                     Buttons buttons);
// Open or save dialog; the chosen path, or nothing when cancelled.
std::optional<std::string> runFileDialog(GtkWindow* parent, bool save, const std::string& name,
                                         const std::string& folder, std::string_view extensions);
// Opens an address or a file with the desktop's default handler.
bool launchDefault(const std::string& addressOrPath);

class GtkPlatform : public Platform, public igraphics::IPlatform {
  public:
    explicit GtkPlatform(GLibEventLoop& loop) : loop_(loop) {}
    ~GtkPlatform() override;
    GtkPlatform(const GtkPlatform&) = delete;
    GtkPlatform& operator=(const GtkPlatform&) = delete;

    // The window the dialogs belong to; null before it exists and after it closed.
    void setWindow(GtkWindow* window) { window_ = window; }
    // What the window does when the content asks for a new size or hides the pointer.
    std::function<void(int width, int height, double scale)> onResize;
    std::function<void(bool hide)> onHideCursor;

    // Shows the box once the main loop is idle (used before the window exists too).
    void showLater(const std::string& text, const std::string& caption,
                   Buttons buttons = Buttons::Ok, std::function<void(Answer)> completion = {});
    // Drops the boxes not yet shown (the window is closing).
    void dropPending();
    std::size_t pendingBoxes() const { return pending_.size(); }

    // vornix::Platform
    void messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                    std::function<void(Answer)> completion) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    // When nothing can open it, a box gives the path or address.
    void openUrl(const std::string& url) override { openOrExplain(url, launchDefault, *this); }

    // igraphics::IPlatform
    igraphics::EMsgBoxResult showMessageBox(std::string_view text, std::string_view caption,
                                            igraphics::EMsgBoxType type) override;
    void promptForFile(std::string& fileName, std::string& folder, igraphics::EFileAction action,
                       std::string_view extensions) override;
    bool openURL(std::string_view url) override {
        return openOrExplain(std::string(url), launchDefault, *this);
    }
    void hideMouseCursor(bool hide) override {
        if (onHideCursor) onHideCursor(hide);
    }
    void resizeWindow(int width, int height, double scale) override {
        if (onResize) onResize(width, height, scale);
    }
    void bell() override;
    void setClipboardText(std::string_view text) override;
    std::string clipboardText() override;

  private:
    struct Pending {
        std::string text;
        std::string caption;
        Buttons buttons;
        std::function<void(Answer)> completion;
    };
    void scheduleNext();
    static gboolean onShowPending(gpointer data);
    void showPending();

    GLibEventLoop& loop_;
    GtkWindow* window_ = nullptr;
    std::deque<Pending> pending_;
    bool showing_ = false;
    guint pendingSource_ = 0;
};

}  // namespace vornix::app
