#include "host/jack_presence.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace vornix::host {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isSocket(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

JackPlaces JackPlaces::fromEnvironment() {
    JackPlaces places;
    if (const std::string server = environment("JACK_DEFAULT_SERVER"); !server.empty())
        places.serverName = server;
    const std::string tmpDir = environment("JACK_TMPDIR");
    if (!tmpDir.empty()) places.socketDir = tmpDir;
    places.runtimeDir = environment("XDG_RUNTIME_DIR");
    places.userId = ::geteuid();
    places.placesUncertain = !tmpDir.empty() || !environment("JACK_PROMISCUOUS_SERVER").empty();
    return places;
}

bool jackServerMayRun(const JackPlaces& places) {
    if (places.placesUncertain) return true;
    const std::string& dir = places.socketDir;
    const std::string uid = std::to_string(places.userId);
    // JACK 2: one socket per server and user, "jack_<server>_<uid>_0".
    if (isSocket(dir + "/jack_" + places.serverName + "_" + uid + "_0")) return true;
    // JACK 1: a folder per user and server holding its sockets.
    if (isDirectory(dir + "/jack-" + uid + "/" + places.serverName)) return true;
    // PipeWire's libjack talks to the PipeWire daemon instead.
    return !places.runtimeDir.empty() && isSocket(places.runtimeDir + "/pipewire-0");
}

bool jackServerMayRun() {
    return jackServerMayRun(JackPlaces::fromEnvironment());
}

}  // namespace vornix::host
