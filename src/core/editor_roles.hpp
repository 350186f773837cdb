#pragma once
// What the editor does for its clients, in roles: each client (the window's
// pages, the command line, the script runner, tests) asks for the role it
// needs instead of reaching into one long list of methods. The editor plays
// every role itself; the device link's parts (connection, cache, faceplate,
// firmware update) are reached directly.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "core/parameters.hpp"
#include "core/result.hpp"
#include "ir/ir_library.hpp"

namespace vornix {

// Cabinet positions 7 and 8 can play a user IR of the preset's own.
enum class UserIrTarget { None, Ir7, Ir8 };

// The commands of the shell's menu that the editor carries out.
enum class MenuCommand {
    FirmwareUpdate,
    GlobalSettings,
    ClearCache,
    ImportBank,
    ExportBank,
    BackUpNow,
};

// The sound being edited, as the editor holds it.
struct SoundState {
    // The value each parameter had when last sent to or received from the device.
    std::array<int, NumParams> EditValues{};
    // The current preset's values as the device last sent them.
    std::array<int, NumPresetParams> StoredValues{};
    // A received block is being applied: changes are not sent back.
    bool BulkUpdate = true;
    // The sound differs from the stored preset.
    bool ModifiedFlag = false;
    bool LayerB = false;
    int currentPreset = 0;
    std::string presetName;
    // The device's free text.
    std::string deviceText;
};

// The user IRs of positions 7 and 8, and the IR library they come from.
class UserIrs {
  public:
    // Start-up: the factory WAV files when missing, the IR names, the preset list.
    virtual void initialiseCaches(const ir::FactoryWavProvider& factoryWavs) = 0;
    // Reads a WAV into the IR sample buffer; a refused file leaves it as it was.
    virtual ir::WavResult readWavIntoIr(const std::filesystem::path& path) = 0;
    // Encodes the IR sample buffer under `number`, caches and packs it, and
    // hands it to the upload when online.
    virtual void storeIr(const ir::IrName& name, unsigned number) = 0;
    // The IMPORT button of position 7 or 8 (the path replaces the dialog); a
    // WAV that cannot be read is refused with its reason, also in a box.
    virtual Result importUserIr(UserIrTarget position, std::optional<std::string> path) = 0;
    // Assigns user IR `number` to position 7 or 8: the number goes out in two
    // halves with the device's acknowledgement in between.
    virtual void assignUserIr(UserIrTarget position, int number) = 0;
    // Computes the IR of the cabinet selector at `value` and reports it.
    virtual void showIrSelection(int value) = 0;
    // Asks the device for an IR (0x69); it is cached when it arrives.
    virtual void requestIr(unsigned number) = 0;
    virtual const ir::IrSampleBuffer& irSamples() const = 0;
    virtual double irGain() const = 0;
    // The user IR number the last upload went to.
    virtual unsigned irUploadTarget() const = 0;
    // Names of the user IRs in positions 7 and 8.
    virtual const std::string& userIrName(int position) const = 0;
    // Cabinet names (0 "Flat Response", 1-8 the cabinets) and user IR names.
    virtual const ir::IrNameTable& irNames() const = 0;

  protected:
    ~UserIrs() = default;
};

// Single presets to and from files.
class PresetFiles {
  public:
    // The EXPORT and IMPORT buttons: a dialog, then the file operation.
    virtual void chooseAndExportPreset() = 0;
    virtual void chooseAndImportPreset() = 0;
    // Writes the current sound with its user IRs; failed (and still modified)
    // when the file could not be written.
    virtual Result exportPresetFile(const std::filesystem::path& path) = 0;
    // Checks the file, asks what must be asked, applies it as an unsaved edit
    // and uploads its IRs, then the preset, when online.
    virtual void importPresetFile(const std::filesystem::path& path) = 0;
    // A checked preset file's values and names become the sound being edited,
    // marked `modified`, and go to the device whole (0x20) when online: no
    // question, no IR upload, its user IR numbers as it has them. What the
    // library's audition plays, and how it puts the sound before back.
    virtual void playPresetFile(std::span<const std::uint8_t> file, bool modified) = 0;

  protected:
    ~PresetFiles() = default;
};

// The device as a whole: bank files out and in, and the factory reset.
class WholeDevice {
  public:
    // Save dialog for the export; true when a path was chosen.
    virtual bool chooseBankExportFile() = 0;
    virtual void startBankExportTo(const std::filesystem::path& path) = 0;
    // Asks, lets the user choose a bank file and arms the import.
    virtual void importBank() = 0;
    // Loads a bank file and arms the import, or says why it cannot.
    virtual Result startBankImport(const std::filesystem::path& path) = 0;
    // The messages the armed import sends.
    virtual int bankImportSize() const = 0;
    // Asks "Are you sure?" first, then performFactoryReset.
    virtual void factoryReset(std::uint8_t target) = 0;
    // Clears the cache when presets are affected, then sends the reset.
    virtual void performFactoryReset(std::uint8_t target) = 0;
    // Forgets the cached presets (their slot files): the next connection
    // reads every slot from the device.
    virtual void clearCache() = 0;

  protected:
    ~WholeDevice() = default;
};

}  // namespace vornix
