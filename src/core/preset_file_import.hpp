#pragma once
// Loading a preset file ("kvp") into the current sound: the file is checked,
// the user is asked what must be asked, its values are applied as an unsaved
// edit, and the user IRs it carries are stored and uploaded one after the
// other (the device's "stored" for the first starts the second); the preset
// itself goes to the device last.
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/link.hpp"

namespace vornix {

class PresetFileImport {
  public:
    // What the import needs from the editor that owns the current sound.
    class Target {
      public:
        virtual bool online() const = 0;
        virtual bool modified() const = 0;
        virtual int intValue(int index) const = 0;
        virtual int currentPreset() const = 0;
        // Applies the file's values and names as an unsaved edit.
        virtual void applyPresetFileValues(std::span<const std::uint8_t> file) = 0;
        // Caches an IR slot file from the file and hands it to the upload.
        virtual void storeIrBlock(std::span<const std::uint8_t> block, unsigned number) = 0;
        virtual void refreshIrDisplay() = 0;
        virtual void sendPreset() = 0;

      protected:
        ~Target() = default;
    };

    PresetFileImport(Link& link, Target& target) : link_(link), target_(target) {}

    // Reads a preset file: its bytes, or why it is refused.
    struct FileCheck {
        std::vector<std::uint8_t> bytes;
        std::string refusal;  // empty when the file can be imported
        // How the window shows a refusal: not at all (the file is not one
        // to talk about), at once, or at the next idle tick.
        enum class Box { None, Now, Later } box = Box::None;
    };
    static FileCheck read(const std::filesystem::path& path);

    void start(const std::filesystem::path& path);
    // The device stored an uploaded IR (0x61); false when it was not one of
    // this import's.
    bool irStored();
    // An upload of this import failed: the preset is not sent.
    void irFailed(const std::string& reason);

  private:
    void refuse(const std::string& reason);
    void askThenApply(std::vector<std::uint8_t> file);
    void apply(std::vector<std::uint8_t> file);
    void storeSecondIr();
    void finish();

    Link& link_;
    Target& target_;
    bool waitingFor7_ = false;
    bool waitingFor8_ = false;
    std::vector<std::uint8_t> secondIr_;
};

}  // namespace vornix
