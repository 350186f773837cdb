#pragma once
// The editor against the simulated pedal on virtual time, wired as the
// programs wire it: pedal -> SimulatorPort -> DeviceConnection -> editor, and
// every message the editor sends recorded on its way out.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/device_connection.hpp"
#include "host/editor_startup.hpp"
#include "host/simulator_port.hpp"
#include "recording_port.hpp"
#include "recording_view.hpp"
#include "scripted_platform.hpp"
#include "sent_log.hpp"
#include "sim/pedal.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {

struct Scenario {
    explicit Scenario(int latencyMs = 0, sim::PedalOptions pedalOptions = {})
        : pedal(std::move(pedalOptions)), simulator(loop, pedal, latencyMs), port(simulator, loop) {
        start();
    }

    // A new editor on the same data folder, as at the next program start.
    void start() {
        connection.reset();
        editor.reset();
        editor = std::make_unique<VornixControl>(loop, storage::DataFolder(dir.path()), platform);
        events = RecordingView{};
        editor->link().events().add(events);
        connection = std::make_unique<host::DeviceConnection>(
            loop, port, [this](std::span<const std::uint8_t> m) {
                received.emplace_back(m.begin(), m.end());
                editor->sysExReceived(m);
            });
        editor->link().setSender(
            [this](std::span<const std::uint8_t> m) { return connection->send(m); });
        host::startEditor(*editor, {});
        port.sent.clear();
    }
    void openWindow() { editor->link().openWindow(view); }

    std::size_t sentCount(int key) const {
        std::size_t n = 0;
        for (const auto& m : port.sent) n += commandKey(m.bytes) == key;
        return n;
    }
    // Advances until the editor is online with the sync finished, or the limit.
    bool runUntilSynced(std::int64_t limitMs = 20000) {
        for (std::int64_t t = 0; t < limitMs; t += 100) {
            loop.advance(100);
            if (events.online && events.syncsSinceOnline > 0 && !loop.hasPosted()) return true;
        }
        return false;
    }

    TempDir dir;
    VirtualEventLoop loop;
    sim::Pedal pedal;
    host::SimulatorPort simulator;
    RecordingPort port;
    ScriptedPlatform platform;
    // Hears everything the editor reports; the window, once opened.
    RecordingView events;
    RecordingView view;
    std::unique_ptr<VornixControl> editor;
    // Every message the pedal sent, as the editor got it.
    std::vector<sysex::Bytes> received;
    std::unique_ptr<host::DeviceConnection> connection;
};

// Every slot file holds exactly the record the pedal stores for that slot.
inline void expectCacheMatchesPedal(const Scenario& s) {
    for (int slot = 0; slot < 128; ++slot) {
        const auto& rec = s.pedal.preset(slot);
        EXPECT_EQ(storage::readFile(s.editor->cache().folder().presetSlotFile(slot)),
                  sysex::Bytes(rec.begin(), rec.end()))
            << "slot " << slot;
    }
}

}  // namespace vornix::testing
