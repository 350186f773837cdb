#pragma once
// The desktop services of a script run, for the editor (vornix::Platform) and
// for the control toolkit (igraphics::IPlatform): every message box prints
// `messagebox "TEXT"` and every file dialog `filedialog open|save EXT`, and
// each takes the next answer the script queued. A box with no answer queued
// is answered OK and a file dialog with none is cancelled, so a script never
// waits for anybody.
#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "controls/iplatform.hpp"
#include "core/platform.hpp"

namespace vornix::app {

class ScriptPlatform : public Platform, public igraphics::IPlatform {
  public:
    explicit ScriptPlatform(std::ostream& out) : out_(out) {}

    // For the next box: true is OK. A box with only OK takes the answer and
    // says OK whatever it was, as closing it would.
    void queueAnswer(bool ok) { answers_.push_back(ok); }
    // For the next file dialog: the path, or nothing to cancel it.
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    // vornix::Platform
    void messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                    std::function<void(Answer)> completion) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    void openUrl(const std::string& url) override;

    // igraphics::IPlatform
    igraphics::EMsgBoxResult showMessageBox(std::string_view text, std::string_view caption,
                                            igraphics::EMsgBoxType type) override;
    void promptForFile(std::string& fileName, std::string& folder, igraphics::EFileAction action,
                       std::string_view extensions) override;
    bool openURL(std::string_view url) override;
    // Prints `bell`: what a text entry refused is seen in the output.
    void bell() override;
    void setClipboardText(std::string_view text) override { clipboard_ = text; }
    std::string clipboardText() override { return clipboard_; }

  private:
    Answer answerBox(std::string_view text, Buttons buttons);
    std::optional<std::string> answerDialog(bool save, std::string_view extensions);

    std::ostream& out_;
    std::deque<bool> answers_;
    std::deque<std::optional<std::string>> files_;
    std::string clipboard_;
};

}  // namespace vornix::app
