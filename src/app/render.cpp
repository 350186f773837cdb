#include "app/render.hpp"

#include <iostream>

#include "app/headless_editor.hpp"
#include "app/png_file.hpp"

namespace vornix::app {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
// Long enough for the first identification request (3.3 s) and the answer.
constexpr int ConnectLimitMs = 30000;
// Lets the progress overlay of the cache synchronisation hide again.
constexpr int SettleMs = 1500;
constexpr int PortsWaitMs = 4000;

// Questions are answered with OK and messages go to stderr: nobody is there.
class HeadlessPlatform : public Platform {
  public:
    void messageBox(const std::string& text, const std::string&, Buttons,
                    std::function<void(Answer)> completion) override {
        std::cerr << "vornix-control: " << text << '\n';
        if (completion) completion(Answer::Ok);
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void openUrl(const std::string&) override {}
};

}  // namespace

int renderToPng(const Options& options) {
    try {
        HeadlessPlatform platform;
        HeadlessEditor headless(options, platform, nullptr);
        VornixControl& editor = headless.editor();
        const double scale = options.scale.value_or(editor.drawScale());

        // The picture waits for the device: in step with it on the built-in
        // pedal, or at least answering on the ports.
        struct Progress : TransferEvents {
            bool synchronised_ = false;
            void synchronised() override { synchronised_ = true; }
        } progress;
        editor.link().events().add(progress);
        if (headless.virtualTime()) {
            headless.runUntil([&] { return progress.synchronised_; }, ConnectLimitMs);
            headless.runUntil([] { return false; }, SettleMs);
        } else {
            headless.runUntil([&] { return editor.connection().online(); }, PortsWaitMs);
        }
        editor.link().events().remove(progress);

        if (!writePng(headless.graphics(), scale, options.renderTo)) {
            std::cerr << "vornix-control: cannot write " << options.renderTo << '\n';
            return ExitFailed;
        }
        return ExitOk;
    } catch (const std::exception& e) {
        std::cerr << "vornix-control: " << e.what() << '\n';
        return ExitFailed;
    }
}

}  // namespace vornix::app
