// Build-time generator: draws every picture at 1x and 2x, writes the vector knob, synthesises
// the factory cabinet WAV files and lays out the manual, then lists what it wrote in a
// manifest ("NAME<TAB>PATH" per line) for the embedding step.
//
// usage: vornix_resource_gen --out DIR --manual TEXT --font-regular TTF --font-bold TTF
//            --font-condensed TTF --font-seg7 TTF --font-mono TTF
//        vornix_resource_gen --icons DIR --name NAME
// The second form draws only the application icon, for installation; nothing embeds it.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <thread>

#include "artwork.hpp"

namespace gen = vornix::resources::gen;

namespace {

std::map<std::string, std::string> parseArgs(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
    return args;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string twoXName(const std::string& name) {
    const auto dot = name.rfind('.');
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}

// Two workers: the large backgrounds dominate and the build machine has two cores.
bool renderAll(const std::string& dir, const std::vector<gen::Picture>& pictures) {
    std::vector<int> failed(2, 0);
    auto work = [&](int worker) {
        for (std::size_t i = static_cast<std::size_t>(worker); i < pictures.size(); i += 2) {
            const gen::Picture& p = pictures[i];
            if (!gen::renderPicture(dir, p.name, p.width, p.height, p.twoX, p.draw))
                failed[static_cast<std::size_t>(worker)] = 1;
        }
    };
    std::thread second(work, 1);
    work(0);
    second.join();
    return failed[0] == 0 && failed[1] == 0;
}

}  // namespace

int main(int argc, char** argv) {
    auto args = parseArgs(argc, argv);
    if (!args["--icons"].empty()) {
        std::filesystem::create_directories(args["--icons"]);
        return gen::writeIcons(args["--icons"], args["--name"]).empty() ? 1 : 0;
    }
    for (const char* key : {"--out", "--manual", "--font-regular", "--font-bold",
                            "--font-condensed", "--font-seg7", "--font-mono"}) {
        if (args[key].empty()) {
            std::cerr << "vornix_resource_gen: missing " << key << "\n";
            return 2;
        }
    }
    const std::string dir = args["--out"];
    std::filesystem::create_directories(dir);
    if (!gen::loadFonts({args["--font-regular"], args["--font-bold"], args["--font-condensed"],
                         args["--font-seg7"], args["--font-mono"]}))
        return 1;

    std::vector<gen::Picture> pictures;
    gen::addFaceplatePictures(pictures);
    gen::addPagePictures(pictures);
    gen::addKnobPictures(pictures);
    gen::addSwitchPictures(pictures);
    gen::addButtonPictures(pictures);
    // The heaviest pictures first, spread over both workers.
    std::stable_sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) {
        return a.width * a.height > b.width * b.height;
    });
    if (!renderAll(dir, pictures)) return 1;

    std::vector<std::string> files;
    for (const gen::Picture& p : pictures) {
        files.push_back(p.name);
        if (p.twoX) files.push_back(twoXName(p.name));
    }
    const std::string manualText = readFile(args["--manual"]);
    for (const auto& more : {gen::writeVectorKnob(dir), gen::writeFactoryWavs(dir),
                             gen::writeManual(dir, manualText)}) {
        if (more.empty()) return 1;
        files.insert(files.end(), more.begin(), more.end());
    }
    gen::releaseFonts();

    std::ofstream manifest(dir + "/manifest.tsv");
    for (const std::string& f : files) manifest << f << '\t' << dir << '/' << f << '\n';
    return manifest ? 0 : 1;
}
