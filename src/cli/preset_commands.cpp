// sync, presets, get, set, select, store, monitor.
#include <cstdio>
#include <iostream>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "cli/waiters.hpp"

namespace vornix::cli {

namespace {

bool parameterIndex(const Args& args, int& index, std::string& error) {
    if (args.empty() || !parseNumber(args[0], index) || index < 0 || index >= NumParams ||
        isReservedParameter(index)) {
        error = "INDEX must be a parameter index from 0 to 150 (74-77 and 83-85 are reserved)";
        return false;
    }
    return true;
}

std::string valueText(const iplug::IParam& p) {
    if (const std::string* text = p.displayTextFor(p.value())) return *text;
    char number[32];
    std::snprintf(number, sizeof number, "%d", p.intValue());
    return number;
}

std::string trimmedRow(Session& session, int slot) {
    const std::string& row = session.editor().cache().rows()[static_cast<std::size_t>(slot)];
    return row.substr(0, row.find_last_not_of(' ') + 1);
}

bool presetNumber(const Args& args, int& slot) {
    return !args.empty() && parseNumber(args[0], slot) && slot >= 0 && slot < NumPresets;
}

// Selects or stores, then waits for the device's current preset.
template <typename Action>
CommandResult presetAction(Session& session, const Args& args, Action action) {
    int slot = 0;
    if (!presetNumber(args, slot)) return failed("N must be a preset number from 0 to 127");
    if (!session.synchronise()) return deviceFailure(session);
    PresetWaiter applied(session.editor().link().events());
    action(slot);
    if (!session.waitFor([&] { return applied.applied(); })) return deviceFailure(session);
    return {};
}

}  // namespace

namespace command {

CommandResult sync(Session& session, const Args&, std::ostream& data) {
    if (!session.synchronise()) return deviceFailure(session);
    printPresetRows(session, data);
    return {};
}

CommandResult presets(Session& session, const Args&, std::ostream& data) {
    printPresetRows(session, data);
    return {};
}

CommandResult get(Session& session, const Args& args, std::ostream& data) {
    int index = 0;
    std::string error;
    if (!parameterIndex(args, index, error)) return failed(error);
    if (!session.synchronise()) return deviceFailure(session);
    const iplug::IParam& p = *session.editor().param(index);
    data << index << ' ' << (p.name().empty() ? "(unnamed)" : p.name()) << ": " << valueText(p)
         << '\n';
    return {};
}

CommandResult set(Session& session, const Args& args, std::ostream& data) {
    int index = 0, value = 0;
    std::string error;
    if (!parameterIndex(args, index, error)) return failed(error);
    if (args.size() < 2 || !parseNumber(args[1], value))
        return failed("VALUE must be a whole number");
    if (!session.synchronise()) return deviceFailure(session);
    VornixControl& editor = session.editor();
    const iplug::IParam& p = *editor.param(index);
    if (value < p.minimum() || value > p.maximum())
        return failed("VALUE for " + p.name() + " must be from " +
                      std::to_string(int(p.minimum())) + " to " + std::to_string(int(p.maximum())));
    editor.setParameterFromUser(index, value);
    // With no window the editor leaves global settings alone; here the user
    // asked for the change, so the settings page goes out.
    if (index >= param::DefineMidiMapping && index <= param::SafeLevel) editor.writeGlobalPage(0);
    data << index << ' ' << p.name() << ": " << valueText(p) << '\n';
    return {};
}

CommandResult select(Session& session, const Args& args, std::ostream& data) {
    VornixControl& editor = session.editor();
    int slot = 0;
    CommandResult result = presetAction(session, args, [&](int n) {
        slot = n;
        editor.selectPreset(n);
    });
    if (result.ok) data << trimmedRow(session, slot) << '\n';
    return result;
}

CommandResult store(Session& session, const Args& args, std::ostream& data) {
    VornixControl& editor = session.editor();
    int slot = 0;
    CommandResult result = presetAction(session, args, [&](int n) {
        slot = n;
        editor.storePreset(n);
    });
    if (result.ok) data << "stored into" << trimmedRow(session, slot) << '\n';
    return result;
}

CommandResult monitor(Session& session, const Args&, std::ostream&) {
    if (!session.connect()) return deviceFailure(session);
    session.human() << "online; press Ctrl+C to stop\n";
    session.runUntilInterrupted();
    return {};
}

}  // namespace command

}  // namespace vornix::cli
