// show and diff: a preset as text, and the differences between two. Files
// are read without the device; a slot or the edit needs it (a slot comes
// from the cache once a sync has put it in step).
#include <iostream>
#include <optional>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "core/preset_sources.hpp"

namespace vornix::cli {

namespace {

constexpr int ExitDifferent = 1;

struct Request {
    std::vector<PresetSource> sources;
    TextFormat format = TextFormat::Text;
};

// The sources and --format, or the usage error printed.
std::optional<Request> parseRequest(const Args& args, std::size_t count, const char* usage) {
    Request request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            const auto format = i + 1 < args.size() ? textFormatNamed(args[i + 1]) : std::nullopt;
            if (!format) {
                std::cerr << "vornixctl: --format takes text, markdown, csv or json\n";
                return std::nullopt;
            }
            request.format = *format;
            ++i;
            continue;
        }
        const SourceParse parse = parsePresetSource(args[i]);
        if (!parse.source) {
            std::cerr << "vornixctl: " << parse.error << '\n';
            return std::nullopt;
        }
        request.sources.push_back(*parse.source);
    }
    if (request.sources.size() != count) {
        std::cerr << "vornixctl: usage: " << usage << '\n';
        return std::nullopt;
    }
    return request;
}

bool needsDevice(const Request& request) {
    for (const PresetSource& source : request.sources)
        if (source.needsDevice()) return true;
    return false;
}

// Reads every source, connecting first when one needs the device; the exit
// code when that failed (2 no answer, 3 refused firmware, 4 unreadable).
struct Presets {
    std::vector<PresetSnapshot> presets;
    int failure = ExitOk;
};

// Files first: a file that cannot be read fails before the device is asked.
Presets readAll(const Options& options, const Request& request) {
    Presets read;
    std::vector<std::optional<SourceRead>> reads(request.sources.size());
    for (std::size_t i = 0; i < request.sources.size(); ++i) {
        const PresetSource& source = request.sources[i];
        if (source.needsDevice()) continue;
        reads[i] = source.kind == PresetSource::Kind::PresetFile
                       ? readPresetFileSource(source.path)
                       : readBankSlotSource(source.path, source.slot);
        if (!reads[i]->ok()) {
            std::cerr << "vornixctl: " << reads[i]->error << '\n';
            read.failure = ExitUnreadableSource;
            return read;
        }
    }
    std::optional<Session> session;
    if (needsDevice(request)) {
        std::string error;
        session.emplace(options, SessionMode{}, std::cerr, error);
        if (!error.empty()) {
            std::cerr << "vornixctl: " << error << '\n';
            read.failure = ExitFailure;
            return read;
        }
        if (!session->synchronise()) {
            std::cerr << "vornixctl: " << session->failure() << '\n';
            read.failure = session->failureCode();
            return read;
        }
    }
    for (std::size_t i = 0; i < request.sources.size(); ++i) {
        if (!reads[i]) reads[i] = readPresetSource(request.sources[i], session->editor());
        if (!reads[i]->ok()) {
            std::cerr << "vornixctl: " << reads[i]->error << '\n';
            read.failure = ExitUnreadableSource;
            return read;
        }
        read.presets.push_back(reads[i]->preset);
    }
    return read;
}

std::ostream& dataStream(const Options& options) {
    return options.transport == Transport::Stdio ? std::cerr : std::cout;
}

}  // namespace

namespace command {

int show(const Options& options) {
    const auto request =
        parseRequest(options.args, 1, "show SOURCE [--format text|markdown|csv|json]");
    if (!request) return ExitFailure;
    const Presets read = readAll(options, *request);
    if (read.failure != ExitOk) return read.failure;
    dataStream(options) << formatPreset(read.presets[0], request->format);
    return ExitOk;
}

int diff(const Options& options) {
    const auto request =
        parseRequest(options.args, 2, "diff SOURCE SOURCE [--format text|markdown|csv|json]");
    if (!request) return ExitFailure;
    const Presets read = readAll(options, *request);
    if (read.failure != ExitOk) return read.failure;
    const PresetDifferences differences = presetDifferences(read.presets[0], read.presets[1]);
    dataStream(options) << formatDifferences(differences, request->format);
    return differences.empty() ? ExitOk : ExitDifferent;
}

}  // namespace command

}  // namespace vornix::cli
