#include "storage/file_io.hpp"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <system_error>

namespace vornix::storage {

// ---- FileReader ------------------------------------------------------------------

FileReader::FileReader(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return;
    if (std::fseek(file_, 0, SEEK_END) == 0) {
        const long end = std::ftell(file_);
        size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    }
    std::fseek(file_, 0, SEEK_SET);
}

FileReader::~FileReader() {
    if (file_) std::fclose(file_);
}

std::size_t FileReader::read(void* buffer, std::size_t n) {
    if (!file_ || position_ >= size_) return 0;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - position_));
    const std::size_t got = std::fread(buffer, 1, wanted, file_);
    position_ += got;
    return got;
}

void FileReader::seek(std::uint64_t position) {
    if (!file_) return;
    position_ = std::min(position, size_);
    std::fseek(file_, static_cast<long>(position_), SEEK_SET);
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path, std::size_t maxBytes) {
    FileReader reader(path);
    if (!reader.isOpen()) return {};
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(reader.size(), maxBytes)));
    bytes.resize(reader.read(bytes.data(), bytes.size()));
    return bytes;
}

// ---- FileWriter ------------------------------------------------------------------

namespace {

std::filesystem::path temporaryNameFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.parent_path() / ("." + target.filename().string() + ".tmp-" +
                                   std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

}  // namespace

FileWriter::FileWriter(const std::filesystem::path& path, Durability durability)
    : target_(path), durability_(durability) {
    temporary_ = temporaryNameFor(path);
    file_ = std::fopen(temporary_.c_str(), "wb");
}

FileWriter::~FileWriter() {
    if (file_) close();
}

std::size_t FileWriter::write(const void* buffer, std::size_t n) {
    // An empty span may carry a null pointer, which fwrite must not see.
    if (!file_ || failed_ || n == 0) return 0;
    const std::size_t written = std::fwrite(buffer, 1, n, file_);
    if (written != n) failed_ = true;
    return written;
}

bool FileWriter::close() {
    if (!file_) return false;
    bool ok = !failed_;
    ok = std::fflush(file_) == 0 && ok;
    if (durability_ == Durability::Durable) ok = ::fsync(::fileno(file_)) == 0 && ok;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    std::error_code error;
    if (ok) std::filesystem::rename(temporary_, target_, error);
    if (!ok || error) {
        std::filesystem::remove(temporary_, error);
        return false;
    }
    return true;
}

void FileWriter::discard() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    std::error_code error;
    std::filesystem::remove(temporary_, error);
}

bool writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
               Durability durability) {
    FileWriter writer(path, durability);
    if (!writer.isOpen()) return false;
    writer.write(bytes);
    return writer.close();
}

void ensureFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::create_directory(path, ignored);
}

std::vector<DirectoryEntry> scanDirectory(const std::filesystem::path& folder) {
    std::vector<DirectoryEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        entries.push_back({it->path().filename().string(), it->is_directory(typeError)});
    }
    return entries;
}

}  // namespace vornix::storage
