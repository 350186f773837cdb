#pragma once
// The desktop services the editor asks for: message boxes, file dialogs and
// opening a web address. GTK implements them in the app; the command line and
// the tests have their own.
#include <functional>
#include <optional>
#include <string>

namespace vornix {

enum class Buttons { Ok = 0, OkCancel = 1 };
enum class Answer { Ok = 1, Cancel = 2 };

struct FileRequest {
    enum class Mode { Open, Save } mode = Mode::Open;
    std::string extension;  // "kvp", "kvb", "wav", "bin"
    std::string initialName;
    std::string initialFolder;
};

class Platform {
  public:
    virtual ~Platform() = default;
    // The completion runs once the box is answered (before this returns, or,
    // in the desktop app, once the box posted from a device handler closes).
    virtual void messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                            std::function<void(Answer)> completion) = 0;
    // The chosen path, or nothing when cancelled. Save asks before overwriting.
    virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
    virtual void openUrl(const std::string& url) = 0;
};

}  // namespace vornix
