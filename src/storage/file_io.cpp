#include "storage/file_io.hpp"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
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

constexpr char TemporaryPrefix = '.';
constexpr std::string_view TemporaryMarker = ".tmp-";
constexpr char CounterSeparator = '-';

std::filesystem::path temporaryNameFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.parent_path() /
           (TemporaryPrefix + target.filename().string() + std::string(TemporaryMarker) +
            std::to_string(::getpid()) + CounterSeparator + std::to_string(counter++));
}

// A run of decimal digits that fits a long, and nothing else.
std::optional<long> decimal(std::string_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<long> temporaryFileWriter(std::string_view fileName) {
    if (fileName.size() < 2 || fileName.front() != TemporaryPrefix) return std::nullopt;
    const auto marker = fileName.rfind(TemporaryMarker);
    // The target's own name must not be empty: "..tmp-1-2" is no file of ours.
    if (marker == std::string_view::npos || marker < 2) return std::nullopt;
    const std::string_view tail = fileName.substr(marker + TemporaryMarker.size());
    const auto separator = tail.find(CounterSeparator);
    if (separator == std::string_view::npos) return std::nullopt;
    const auto pid = decimal(tail.substr(0, separator));
    if (!pid || *pid <= 0 || !decimal(tail.substr(separator + 1))) return std::nullopt;
    return pid;
}

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

bool canCreate(const std::filesystem::path& path) {
    FileWriter probe(path);
    const bool open = probe.isOpen();
    probe.discard();
    return open;
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
