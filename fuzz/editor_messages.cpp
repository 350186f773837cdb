// Feeds the editor a stream of messages, as a hostile or broken device could
// send them. The input is cut into messages at every F7 and fed in order,
// with the editor's timers run between them. The first input byte decides
// whether the editor starts online; offline, the identification handlers are
// reached and the first reply that makes the editor go online switches the
// rest of the run.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "scratch_folder.hpp"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The caches one input writes must not change what the next one does.
    const auto& folder = vornix::fuzz::scratchFolder("editor");
    vornix::fuzz::emptyFolder(folder);

    vornix::VirtualEventLoop loop;
    SilentPlatform platform;
    vornix::VornixControl editor(loop, vornix::storage::DataFolder(folder), platform);
    editor.link().setSender([](std::span<const std::uint8_t>) { return true; });
    // The first input byte decides whether the run starts online.
    if (size > 0 && (data[0] & 1))
        editor.sysExReceived(vornix::sysex::identificationReply(13, "F"));
    std::vector<std::uint8_t> message;
    for (std::size_t i = 1; i < size; ++i) {
        message.push_back(data[i]);
        if (data[i] == 0xF7) {
            editor.sysExReceived(message);
            message.clear();
            loop.advance(vornix::DeviceTickMs);
        }
    }
    return 0;
}
