#pragma once
// The editor's side of the device's IR library, at file level: IR numbers and
// banks, the cabinet and user name tables, the cached IR files, the factory
// WAV files and the IR shown for each position of the cabinet selector.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "ir/ir_slot_file.hpp"
#include "ir/wav_reader.hpp"
#include "storage/data_folder.hpp"

namespace vornix::ir {

// ---- numbering -----------------------------------------------------------------

inline constexpr unsigned IrBankSize = 32;
inline constexpr unsigned CustomIrCount = 256;  // 0..255: custom banks 1..8
inline constexpr unsigned UserIrCount = 288;    // plus 256..287: the factory bank
inline constexpr unsigned FactoryBankIndex = 8;
inline constexpr unsigned CabinetIrFirst = 384;  // 384..391: cabinets 1..8
inline constexpr int CabinetCount = 8;
inline constexpr int FlatResponse = 0;  // selector position without a cabinet

bool isUserIrNumber(unsigned irNumber);
bool isCabinetIrNumber(unsigned irNumber);
// The numbers the device ever uses; 288..383 and above 391 never occur.
bool isValidIrNumber(unsigned irNumber);
unsigned irBankOf(unsigned irNumber);  // user numbers only
unsigned irRowOf(unsigned irNumber);   // 0..31 within the bank
// "Custom Bank %d" (1..8) or "Factory Bank".
std::string irBankName(unsigned bank);
// "Empty Slot %d" with the row + 1.
std::string emptySlotName(unsigned irNumber);

// ---- names -----------------------------------------------------------------------

// Entry 0 is the flat response, entries 1..8 the cabinets.
inline constexpr std::array<std::string_view, CabinetCount + 1> DefaultCabinetNames{
    "Flat Response", "Tarmilo",     "Brannow",    "Dalvin 8x10", "Eskar 2x15",
    "Fennow 2x15",   "Gorlan 4x10", "Hestry 12L", "Aldric V30"};

// The factory WAV files of cabinets 1..8, in the factory IR folder.
inline constexpr std::array<std::string_view, CabinetCount> FactoryWavFileNames{
    "01-Tarmilo.wav",     "02-Brannow.wav",     "03-Dalvin 8x10.wav", "04-Eskar 2x15.wav",
    "05-Fennow 2x15.wav", "06-Gorlan 4x10.wav", "07-Hestry 12L.wav",  "08-Aldric V30.wav"};

class IrNameTable {
  public:
    IrNameTable();

    const std::string& cabinetName(int entry) const { return cabinets_.at(entry); }
    const std::string& userName(unsigned irNumber) const { return users_.at(irNumber); }
    // The name for any valid IR number: a user entry or a cabinet entry.
    const std::string& nameOf(unsigned irNumber) const;

    // Cabinet names from the cached cabinet files that exist, user names from
    // the user cache files or "Empty Slot %d".
    void loadFromFolder(const storage::DataFolder& folder);
    // Re-reads the one entry an IR number names, after a store or download.
    void refresh(const storage::DataFolder& folder, unsigned irNumber);

  private:
    std::array<std::string, CabinetCount + 1> cabinets_;
    std::array<std::string, UserIrCount> users_;
};

// ---- files -----------------------------------------------------------------------

// Caches an IR slot file under its number (creating the folder first). False
// for numbers the device never uses, bytes that are not a slot file, or a
// write that failed; the old file is then left as it was.
bool storeIrFile(const storage::DataFolder& folder, unsigned irNumber,
                 std::span<const std::uint8_t> bytes);

// The bytes of factory WAV 0..7; empty when the program carries none.
using FactoryWavProvider = std::function<std::span<const std::uint8_t>(int index)>;
// Writes the eight factory WAV files unless "01-Tarmilo.wav" already opens.
// Returns the number of files written.
int extractFactoryWavs(const storage::DataFolder& folder, const FactoryWavProvider& provider);
std::filesystem::path factoryWavPath(const storage::DataFolder& folder, int cabinet);

// The IR name a WAV file is stored under: the file name after the last '/' or
// '\', its last four characters (the extension) dropped, at most 32, padded.
IrName wavNameFromPath(std::string_view path);

// ---- the IR of a selector position -----------------------------------------------

// Loads cabinet 1..8 into the buffer, over whatever it holds; does nothing
// when there is nothing to load.
using CabinetLoader = std::function<void(int cabinet, IrSampleBuffer& buffer)>;

// The IR for parameter 14's value 0..127: a unit impulse at 0 (and 1), single
// cabinets at every tenth step, linear cross-fades between neighbours.
void crossFadeIrSelection(int value, const CabinetLoader& loader, IrSampleBuffer& buffer);
// The two neighbours a selector value plays (equal on a single cabinet, 0 the
// flat response) and where between them it stands, in cabinets.
struct CabinetMix {
    int lower = 0;
    int upper = 0;
    double position = 0.0;
};
CabinetMix cabinetMixAt(int value);
// True when the selector's IR involves position 7 or 8 (values from 96 up),
// where a user IR may play.
bool reachesUserIrPositions(int value);

// Cabinet k (1..8) from its cached slot file when that is valid, else from its
// factory WAV file. False when neither could be read (buffer untouched).
bool loadCabinetIr(const storage::DataFolder& folder, int cabinet, IrSampleBuffer& buffer);
// A user IR from its cached slot file. False (buffer untouched) when missing.
bool loadUserIr(const storage::DataFolder& folder, unsigned irNumber, IrSampleBuffer& buffer);

}  // namespace vornix::ir
