// Feeds the editor a stream of messages, as a hostile or broken device could
// send them. The input is cut into messages at every F7. Both the offline
// (identification) and the online handlers are reached: the first message
// that makes the editor go online switches the rest of the run.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"

namespace {

class SilentPlatform : public vornix::Platform {
  public:
    void messageBox(const std::string&, const std::string&, vornix::Buttons,
                    std::function<void(vornix::Answer)> done) override {
        if (done) done(vornix::Answer::Cancel);
    }
    std::optional<std::string> chooseFile(const vornix::FileRequest&) override {
        return std::nullopt;
    }
    void openUrl(const std::string&) override {}
};

std::filesystem::path scratchFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "vornix-fuzz-editor";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornix::VirtualEventLoop loop;
    SilentPlatform platform;
    vornix::VornixControl editor(loop, vornix::storage::DataFolder(scratchFolder()), platform);
    editor.setSender([](std::span<const std::uint8_t>) { return true; });
    // The first input byte decides whether the run starts online.
    if (size > 0 && (data[0] & 1))
        editor.sysExReceived(vornix::sysex::identificationReply(13, "F"));
    std::vector<std::uint8_t> message;
    for (std::size_t i = 1; i < size; ++i) {
        message.push_back(data[i]);
        if (data[i] == 0xF7) {
            editor.sysExReceived(message);
            message.clear();
            loop.advance(100);
        }
    }
    return 0;
}
