#pragma once
// The editor alone, on virtual time, with a sender that records every message
// and replies fed in by hand.
#include <algorithm>
#include <string>
#include <vector>

#include "core/vornix_control.hpp"
#include "device/global_pages.hpp"
#include "device/sysex.hpp"
#include "framework/virtual_event_loop.hpp"
#include "recording_port.hpp"
#include "recording_view.hpp"
#include "scripted_platform.hpp"
#include "sent_log.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {

using sysex::Bytes;

// A record with every parameter byte at `value` and a name.
inline sysex::PresetRecord recordWith(std::uint8_t value, const std::string& name = "Test") {
    sysex::PresetRecord rec{};
    const auto padded = sysex::padName(name);
    std::copy(padded.begin(), padded.end(), rec.begin() + sysex::record::Name);
    std::fill_n(rec.begin() + sysex::record::Params, NumPresetParams, value);
    rec[sysex::record::Ir7Mode] = rec[sysex::record::Ir8Mode] = 0;
    return rec;
}

// A 2,436-byte IR slot file of made-up bytes, named "Cab <seed>".
inline Bytes irFile(std::uint8_t seed) {
    Bytes file(2436);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7 + seed);
    const auto name = sysex::padName("Cab " + std::to_string(seed));
    std::copy(name.begin(), name.end(), file.begin() + 4);
    return file;
}

// The chunks the device sends for one IR, as the wire format lays them out;
// `checksumDelta` is added to the true sum, `streamLength` overrides the
// length the first chunk announces.
inline std::vector<Bytes> irDump(unsigned number, const Bytes& file, int checksumDelta = 0,
                                 std::size_t streamLength = 0) {
    const Bytes stream = sysex::packStream(file);
    const sysex::ByteSpan all(stream);
    std::vector<Bytes> out;
    out.push_back(sysex::irFirstChunk(
        sysex::cmd::IrFirst, number,
        static_cast<unsigned>(streamLength ? streamLength : stream.size()), all.first(256)));
    std::size_t at = 256;
    for (; stream.size() - at > 256; at += 256)
        out.push_back(sysex::irMiddleChunk(sysex::cmd::IrMiddle, all.subspan(at, 256)));
    const unsigned sum =
        (sysex::checksumOf(all).value() + static_cast<unsigned>(checksumDelta)) & 0x3FFF;
    out.push_back(
        sysex::irLastChunk(sysex::cmd::IrLast, all.subspan(at), sysex::checksumOfSum(sum)));
    return out;
}

struct EditorHarness {
    TempDir dir;
    VirtualEventLoop loop;
    ScriptedPlatform platform;
    VornixControl editor{loop, storage::DataFolder(dir.path()), platform};
    // Hears everything the editor reports, window open or not.
    RecordingView events;
    // The window, once openWindow() attached it.
    RecordingView view;
    std::vector<SentMessage> sent;

    EditorHarness() {
        editor.link().setSender([this](std::span<const std::uint8_t> m) {
            sent.push_back({loop.now(), {m.begin(), m.end()}});
            return true;
        });
        editor.link().events().add(events);
    }

    void openWindow() { editor.link().openWindow(view); }
    // Any message the device sends ends the bulk update the editor starts in.
    void endBulkUpdate() { receive(sysex::parameterChanged(param::Level, 64)); }
    void receive(const Bytes& m) { editor.sysExReceived(m); }
    void goOnline(std::uint8_t version = 13) {
        receive(sysex::identificationReply(version, "VX1-7"));
    }
    void receivePreset(int slot, const sysex::PresetRecord& rec) {
        receive(sysex::blockMessage(sysex::cmd::PresetDump, static_cast<std::uint8_t>(slot), rec));
    }
    // The whole start-up sequence: identified, the cache found in step with the
    // device, the settings page as they are, and the device's current preset.
    // Nothing is left waiting for an answer.
    void goOnlineWithPreset(int slot = 0, std::uint8_t value = 64) {
        goOnline();
        receive(sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Checksums,
                                    sysex::PageBlock{}));
        receive(sysex::blockMessage(
            sysex::cmd::GlobalPage, sysex::page::Settings,
            sysex::buildSettingsPage(slot, [this](int index) { return editor.intValue(index); })));
        receivePreset(slot, recordWith(value));
        sent.clear();
    }
    std::vector<Bytes> sentWith(int key) const {
        std::vector<Bytes> out;
        for (const auto& m : sent)
            if (commandKey(m.bytes) == key) out.push_back(m.bytes);
        return out;
    }
    std::vector<Bytes> sentBytes() const {
        std::vector<Bytes> out;
        for (const auto& m : sent) out.push_back(m.bytes);
        return out;
    }
    std::vector<std::string> sentHex() const {
        std::vector<std::string> out;
        for (const auto& m : sent) out.push_back(sysex::toHex(m.bytes));
        return out;
    }
};

}  // namespace vornix::testing
