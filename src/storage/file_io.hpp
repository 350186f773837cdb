#pragma once
// Buffered file helpers through which every cache, preset, bank, IR and
// firmware file is read and written. A file that cannot be opened counts as
// absent; a writer writes to a temporary file in the same folder and renames
// it over the target when closed, so no reader ever sees half a file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::storage {

class FileReader {
  public:
    explicit FileReader(const std::filesystem::path& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Length in bytes, taken when the file was opened.
    std::uint64_t size() const { return size_; }
    // Bytes copied: fewer than n at the end of the file, 0 past it.
    std::size_t read(void* buffer, std::size_t n);
    // Absolute position, clamped to 0 .. size.
    void seek(std::uint64_t position);
    std::uint64_t position() const { return position_; }

  private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

// Reads at most maxBytes of a file. Empty when it cannot be opened.
std::vector<std::uint8_t> readFile(const std::filesystem::path& path,
                                   std::size_t maxBytes = SIZE_MAX);

// Cache files only need the rename to be atomic; files the user keeps
// (backups, presets, settings) are also flushed to the disk before the
// rename, so a power cut cannot leave an empty file in their place.
enum class Durability { Cache, Durable };

class FileWriter {
  public:
    explicit FileWriter(const std::filesystem::path& path,
                        Durability durability = Durability::Cache);
    // Closes (and so commits) unless close() or discard() ran already.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    std::size_t write(const void* buffer, std::size_t n);
    std::size_t write(std::span<const std::uint8_t> bytes) {
        return write(bytes.data(), bytes.size());
    }
    // Flushes and renames the temporary file over the target. False when any
    // write or the rename failed; the old file (if any) is then untouched.
    bool close();
    // Drops what was written; the target stays as it was.
    void discard();

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    Durability durability_ = Durability::Cache;
};

// The temporary file a FileWriter writes before the rename is named
// ".NAME.tmp-PID-N" beside the target NAME: hidden, and naming its writer, so
// that what a killed writer leaves behind can be told from a file being
// written right now. This gives the PID of such a name, and nothing for any
// other name.
std::optional<long> temporaryFileWriter(std::string_view fileName);

// Writes the whole file atomically. False when it could not be written.
bool writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
               Durability durability = Durability::Cache);

// True when a file can be written at that path (a temporary file beside it
// is created and removed; the path itself is not touched).
bool canCreate(const std::filesystem::path& path);

// Creates one folder level; an existing folder or a failure is ignored.
void ensureFolder(const std::filesystem::path& path);

struct DirectoryEntry {
    std::string name;
    bool isFolder = false;
};
// The entries of one folder in the order the file system returns them.
std::vector<DirectoryEntry> scanDirectory(const std::filesystem::path& folder);

}  // namespace vornix::storage
