#pragma once
// A Platform whose message boxes and file dialogs answer from a script and
// are remembered, so tests can check the exact texts a user would see.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.hpp"

namespace vornix::testing {

class ScriptedPlatform : public Platform {
  public:
    struct Box {
        std::string text;
        Buttons buttons;
    };

    void messageBox(const std::string& text, const std::string&, Buttons buttons,
                    std::function<void(Answer)> completion) override {
        boxes.push_back({text, buttons});
        Answer answer = Answer::Ok;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (completion) completion(answer);
    }
    std::optional<std::string> chooseFile(const FileRequest& request) override {
        requests.push_back(request);
        if (files.empty()) return std::nullopt;
        auto path = files.front();
        files.pop_front();
        return path;
    }
    void openUrl(const std::string& url) override { urls.push_back(url); }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Box& box : boxes) out.push_back(box.text);
        return out;
    }

    std::deque<Answer> answers;  // Ok when empty
    std::deque<std::optional<std::string>> files;
    std::vector<Box> boxes;
    std::vector<FileRequest> requests;
    std::vector<std::string> urls;
};

}  // namespace vornix::testing
