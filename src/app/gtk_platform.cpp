#include "app/gtk_platform.hpp"

#include <filesystem>

#include "app/file_names.hpp"

namespace vornix::app {

// ---- dialogs -------------------------------------------------------------------------

Answer runMessageBox(GtkWindow* parent, const std::string& text, const std::string& caption,
                     Buttons buttons) {
    const bool question = buttons == Buttons::OkCancel;
    GtkWidget* dialog = gtk_message_dialog_new(
        parent, GTK_DIALOG_MODAL, question ? GTK_MESSAGE_QUESTION : GTK_MESSAGE_INFO,
        question ? GTK_BUTTONS_OK_CANCEL : GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    if (response == GTK_RESPONSE_OK || !question) return Answer::Ok;
    return Answer::Cancel;
}

namespace {

// Long enough for a frame of the window, short enough not to be noticed when
// the window is not shown (a paint then never comes).
constexpr guint PaintWaitMs = 200;

// What the user chose is acted on at once, and a transfer then shows its
// progress ring: the window first repaints where the dialog was, so the ring
// never appears over a dialog that is still closing. The wait runs the main
// loop as the dialog itself did.
void repaintAfterDialog(GtkWindow* parent) {
    GdkWindow* window = parent ? gtk_widget_get_window(GTK_WIDGET(parent)) : nullptr;
    if (!window || !gtk_widget_get_visible(GTK_WIDGET(parent))) return;
    // The server has taken the dialog down and queued the window's exposes.
    gdk_display_sync(gtk_widget_get_display(GTK_WIDGET(parent)));
    bool painted = false, timedOut = false;
    GdkFrameClock* clock = gdk_window_get_frame_clock(window);
    const gulong handler = g_signal_connect(
        clock, "after-paint",
        G_CALLBACK(+[](GdkFrameClock*, gpointer flag) { *static_cast<bool*>(flag) = true; }),
        &painted);
    gtk_widget_queue_draw(GTK_WIDGET(parent));
    const guint timeout = g_timeout_add(
        PaintWaitMs,
        [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &timedOut);
    while (!painted && !timedOut) g_main_context_iteration(nullptr, TRUE);
    g_signal_handler_disconnect(clock, handler);
    if (!timedOut) g_source_remove(timeout);
}

}  // namespace

std::optional<std::string> runFileDialog(GtkWindow* parent, bool save, const std::string& name,
                                         const std::string& folder, std::string_view extensions) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        save ? "Save File" : "Open File", parent,
        save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
        GTK_RESPONSE_CANCEL, save ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    const auto patterns = filterPatterns(extensions);
    if (!patterns.empty()) {
        GtkFileFilter* filter = gtk_file_filter_new();
        std::string title;
        for (const auto& pattern : patterns) {
            gtk_file_filter_add_pattern(filter, pattern.c_str());
            title += (title.empty() ? "" : ";") + pattern;
        }
        gtk_file_filter_set_name(filter, title.c_str());
        gtk_file_chooser_add_filter(chooser, filter);
    }
    std::error_code ignored;
    if (!folder.empty() && std::filesystem::is_directory(folder, ignored))
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    if (save) {
        gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
        if (!name.empty())
            gtk_file_chooser_set_current_name(chooser,
                                              std::filesystem::path(name).filename().c_str());
    } else if (!name.empty() && std::filesystem::exists(name, ignored)) {
        gtk_file_chooser_set_filename(chooser, name.c_str());
    }

    std::optional<std::string> chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* path = gtk_file_chooser_get_filename(chooser)) {
            chosen = path;
            g_free(path);
        }
    }
    gtk_widget_destroy(dialog);
    repaintAfterDialog(parent);
    // A name typed without its extension gets the default one. The dialog only
    // asked about the name as typed, so an existing file under the completed
    // name still needs the question.
    if (chosen && save) {
        const std::string completed = withDefaultExtension(*chosen, defaultExtension(extensions));
        if (completed != *chosen && std::filesystem::exists(completed, ignored)) {
            const std::string question = "A file named \"" +
                                         std::filesystem::path(completed).filename().string() +
                                         "\" already exists. Do you want to replace it?";
            if (runMessageBox(parent, question, "", Buttons::OkCancel) != Answer::Ok)
                return std::nullopt;
        }
        chosen = completed;
    }
    return chosen;
}

bool launchDefault(const std::string& addressOrPath) {
    GError* error = nullptr;
    const bool ok =
        g_app_info_launch_default_for_uri(uriFor(addressOrPath).c_str(), nullptr, &error);
    if (error) g_error_free(error);
    return ok;
}

// ---- GtkPlatform -----------------------------------------------------------------------

GtkPlatform::~GtkPlatform() {
    dropPending();
}

void GtkPlatform::dropPending() {
    pending_.clear();
    if (pendingSource_ != 0) g_source_remove(pendingSource_);
    pendingSource_ = 0;
}

void GtkPlatform::messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                             std::function<void(Answer)> completion) {
    if (loop_.inCallback() || showing_) {
        showLater(text, caption, buttons, std::move(completion));
        return;
    }
    const Answer answer = runMessageBox(window_, text, caption, buttons);
    if (completion) completion(answer);
}

void GtkPlatform::showLater(const std::string& text, const std::string& caption, Buttons buttons,
                            std::function<void(Answer)> completion) {
    pending_.push_back({text, caption, buttons, std::move(completion)});
    scheduleNext();
}

void GtkPlatform::scheduleNext() {
    if (pendingSource_ != 0 || showing_ || pending_.empty()) return;
    pendingSource_ = g_idle_add(&GtkPlatform::onShowPending, this);
}

gboolean GtkPlatform::onShowPending(gpointer data) {
    auto* self = static_cast<GtkPlatform*>(data);
    self->pendingSource_ = 0;
    self->showPending();
    return G_SOURCE_REMOVE;
}

void GtkPlatform::showPending() {
    if (pending_.empty()) return;
    Pending box = std::move(pending_.front());
    pending_.pop_front();
    showing_ = true;
    const Answer answer = runMessageBox(window_, box.text, box.caption, box.buttons);
    showing_ = false;
    if (box.completion) box.completion(answer);
    scheduleNext();
}

std::optional<std::string> GtkPlatform::chooseFile(const FileRequest& request) {
    return runFileDialog(window_, request.mode == FileRequest::Mode::Save, request.initialName,
                         request.initialFolder, request.extension);
}

igraphics::EMsgBoxResult GtkPlatform::showMessageBox(std::string_view text,
                                                     std::string_view caption,
                                                     igraphics::EMsgBoxType type) {
    const Buttons buttons =
        type == igraphics::EMsgBoxType::OKCancel ? Buttons::OkCancel : Buttons::Ok;
    const Answer answer = runMessageBox(window_, std::string(text), std::string(caption), buttons);
    return answer == Answer::Ok ? igraphics::EMsgBoxResult::OK : igraphics::EMsgBoxResult::Cancel;
}

void GtkPlatform::promptForFile(std::string& fileName, std::string& folder,
                                igraphics::EFileAction action, std::string_view extensions) {
    const auto chosen = runFileDialog(window_, action == igraphics::EFileAction::Save, fileName,
                                      folder, extensions);
    if (!chosen) {
        fileName.clear();
        return;
    }
    fileName = *chosen;
    folder = std::filesystem::path(*chosen).parent_path().string();
}

// The desktop's own bell, as a GtkEntry rings it when it refuses a key.
void GtkPlatform::bell() {
    if (window_) gtk_widget_error_bell(GTK_WIDGET(window_));
}

void GtkPlatform::setClipboardText(std::string_view text) {
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), text.data(),
                           static_cast<gint>(text.size()));
}

// Waits for the owner of the clipboard in a nested main loop, as GtkEntry's
// paste does; an empty or non-text clipboard gives nothing.
std::string GtkPlatform::clipboardText() {
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    if (!text) return {};
    std::string out(text);
    g_free(text);
    return out;
}

}  // namespace vornix::app
