#pragma once
// The services of the desktop that the toolkit cannot draw itself. The GTK
// shell implements them; tests use a recording double. Menus and text entry
// are drawn in the window by the toolkit and need nothing from here.
#include <string>
#include <string_view>

namespace igraphics {

enum class EMsgBoxType { OK = 0, OKCancel = 1 };
enum class EMsgBoxResult { None = 0, OK = 1, Cancel = 2 };
enum class EFileAction { Open = 0, Save = 1 };

class IPlatform {
  public:
    virtual ~IPlatform() = default;

    // Modal; returns when the user has answered.
    virtual EMsgBoxResult showMessageBox(std::string_view text, std::string_view caption,
                                         EMsgBoxType type) = 0;
    // Modal. On OK fileName holds the chosen full path and folder its folder;
    // on Cancel fileName comes back empty. extensions: space-separated ("wav").
    virtual void promptForFile(std::string& fileName, std::string& folder, EFileAction action,
                               std::string_view extensions) = 0;
    virtual bool openURL(std::string_view url) = 0;
    virtual void hideMouseCursor(bool /*hide*/) {}
    // The desktop's error bell: a text entry refused what was typed or pasted.
    virtual void bell() {}
    virtual void setClipboardText(std::string_view /*text*/) {}
    virtual std::string clipboardText() { return {}; }
    // The content wants to be width x height device pixels.
    virtual void resizeWindow(int /*width*/, int /*height*/, double /*scale*/) {}
};

}  // namespace igraphics
