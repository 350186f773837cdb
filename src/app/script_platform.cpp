#include "app/script_platform.hpp"

#include <filesystem>

#include "app/desktop_open.hpp"
#include "app/script_words.hpp"

namespace vornix::app {

Answer ScriptPlatform::answerBox(std::string_view text, Buttons buttons) {
    out_ << "messagebox " << script::quoted(text) << std::endl;
    bool ok = true;
    if (!answers_.empty()) {
        ok = answers_.front();
        answers_.pop_front();
    }
    return ok || buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> ScriptPlatform::answerDialog(bool save, std::string_view extensions) {
    out_ << "filedialog " << (save ? "save" : "open") << ' ' << extensions << std::endl;
    if (files_.empty()) return std::nullopt;
    std::optional<std::string> path = std::move(files_.front());
    files_.pop_front();
    return path;
}

void ScriptPlatform::messageBox(const std::string& text, const std::string&, Buttons buttons,
                                std::function<void(Answer)> completion) {
    const Answer answer = answerBox(text, buttons);
    if (completion) completion(answer);
}

std::optional<std::string> ScriptPlatform::chooseFile(const FileRequest& request) {
    return answerDialog(request.mode == FileRequest::Mode::Save, request.extension);
}

// Without a desktop nothing can open it: the box the window shows when no
// viewer is installed.
void ScriptPlatform::openUrl(const std::string& url) {
    openOrExplain(url, nullptr, *this);
}

igraphics::EMsgBoxResult ScriptPlatform::showMessageBox(std::string_view text, std::string_view,
                                                        igraphics::EMsgBoxType type) {
    const Buttons buttons =
        type == igraphics::EMsgBoxType::OKCancel ? Buttons::OkCancel : Buttons::Ok;
    return answerBox(text, buttons) == Answer::Ok ? igraphics::EMsgBoxResult::OK
                                                  : igraphics::EMsgBoxResult::Cancel;
}

void ScriptPlatform::promptForFile(std::string& fileName, std::string& folder,
                                   igraphics::EFileAction action, std::string_view extensions) {
    const auto chosen = answerDialog(action == igraphics::EFileAction::Save, extensions);
    if (!chosen) {
        fileName.clear();
        return;
    }
    fileName = *chosen;
    folder = std::filesystem::path(*chosen).parent_path().string();
}

bool ScriptPlatform::openURL(std::string_view url) {
    openUrl(std::string(url));
    return false;
}

void ScriptPlatform::bell() {
    out_ << "bell" << std::endl;
}

}  // namespace vornix::app
