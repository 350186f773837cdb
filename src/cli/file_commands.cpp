// preset-export, preset-import, ir-upload and ir-convert.
#include <filesystem>
#include <iostream>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "cli/waiters.hpp"
#include "ir/ir_library.hpp"
#include "ir/ir_slot_file.hpp"
#include "ir/wav_reader.hpp"
#include "storage/file_io.hpp"

namespace vornix::cli {

namespace {

// A WAV that was read, but not as it declares itself.
void warnAbout(const std::string& path, const ir::WavResult& wav) {
    if (!wav.warning.empty())
        std::cerr << "vornixctl: warning: " << path << ": " << wav.warning << '\n';
}

// The value after `flag` in args, or empty.
std::string flagValue(const Args& args, const std::string& flag) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == flag) return args[i + 1];
    return {};
}

}  // namespace

namespace command {

CommandResult presetExport(Session& session, const Args& args, std::ostream& data) {
    if (args.empty()) return failed("preset-export needs a FILE.kvp");
    if (!session.synchronise()) return deviceFailure(session);
    if (!session.editor().presetFiles().exportPresetFile(args[0]))
        return failed("could not write " + args[0]);
    data << "preset " << session.editor().sound().currentPreset << " written to " << args[0]
         << '\n';
    return {};
}

CommandResult presetImport(Session& session, const Args& args, std::ostream& data) {
    if (args.empty()) return failed("preset-import needs a FILE.kvp");
    // A file the editor would refuse is refused before the device hears anything.
    if (const auto check = PresetFileImport::read(args[0]); !check.refusal.empty())
        return failed(check.refusal);
    if (!session.synchronise()) return deviceFailure(session);
    PresetImportWaiter imported(session.editor().link().events());
    session.editor().presetFiles().importPresetFile(args[0]);
    // Refused at once, or applied once its IRs are uploaded and the preset sent.
    if (!session.waitFor([&] { return imported.ended(); })) return deviceFailure(session);
    if (!imported.succeeded()) return failed(imported.reason());
    data << "imported " << args[0] << " into the current preset (not stored: use 'store N')\n";
    return {};
}

CommandResult irUpload(Session& session, const Args& args, std::ostream& data) {
    const std::string position = flagValue(args, "--position");
    if (args.empty() || args[0].starts_with("--") || (position != "7" && position != "8"))
        return failed("usage: ir-upload IN.wav --position 7|8");
    const bool ir7 = position == "7";
    // A file that cannot be used is refused before the device hears anything.
    const ir::WavResult wav = ir::readWav(args[0]);
    if (!wav.ok()) return failed(args[0] + ": " + wav.message);
    warnAbout(args[0], wav);
    if (!session.synchronise()) return deviceFailure(session);
    VornixControl& editor = session.editor();
    IrUploadWaiter upload(editor.link().events());
    if (const Result imported =
            editor.userIrs().importUserIr(ir7 ? UserIrTarget::Ir7 : UserIrTarget::Ir8, args[0]);
        !imported)
        return failed(imported.error());
    if (!session.waitFor([&] { return upload.ended(); })) return deviceFailure(session);
    if (!upload.succeeded()) return failedWithMessage(session, "ERROR!");
    // The position now plays the new IR; the preset carries its name.
    editor.setParameterFromUser(ir7 ? param::Ir7Mode : param::Ir8Mode, 1);
    editor.sendPreset();
    data << "user IR " << editor.userIrs().irUploadTarget() << " \""
         << editor.userIrs().userIrName(ir7 ? 7 : 8) << "\" uploaded to position " << position
         << '\n';
    return {};
}

int irConvert(const Options& options) {
    const Args& args = options.args;
    if (args.size() < 2 || args[0].starts_with("--") || args[1].starts_with("--")) {
        std::cerr << "vornixctl: usage: ir-convert IN.wav OUT.dat [--name NAME]\n";
        return ExitFailure;
    }
    const ir::WavResult wav = ir::readWav(args[0]);
    if (!wav.ok()) {
        std::cerr << "vornixctl: " << args[0] << ": " << wav.message << '\n';
        return ExitFailure;
    }
    warnAbout(args[0], wav);
    auto buffer = std::make_unique<ir::IrSampleBuffer>();
    ir::loadIntoBuffer(wav.samples, *buffer);
    const std::string name = flagValue(args, "--name");
    const ir::IrName irName = name.empty() ? ir::wavNameFromPath(args[0]) : sysex::padName(name);
    const ir::EncodedIrSlot encoded = ir::encodeIrSlotFile(irName, *buffer);
    if (!storage::writeFile(args[1], encoded.bytes)) {
        std::cerr << "vornixctl: cannot write " << args[1] << '\n';
        return ExitFailure;
    }
    std::cout << args[1] << ": " << encoded.bytes.size() << " bytes, \""
              << sysex::trimDeviceName(irName) << "\", gain " << encoded.gain << '\n';
    return ExitOk;
}

}  // namespace command

}  // namespace vornix::cli
