// Whether a JACK server may be running, told from the sockets servers leave:
// the check may answer "maybe" for nothing, but never "no" for a server.
#include "host/jack_presence.hpp"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "temp_dir.hpp"

namespace vornix::host {
namespace {

namespace fs = std::filesystem;

// A listening socket's file, as a server leaves it.
void makeSocket(const fs::path& path) {
    fs::create_directories(path.parent_path());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

TEST(JackPresence, AnswersFromTheSocketsServersLeave) {
    struct Case {
        const char* what;
        const char* made;  // relative to the socket folder; "" for nothing
        bool socket;
        bool mayRun;
    };
    const Case cases[] = {
        {"no server at all", "", false, false},
        {"JACK 2, this user's server", "jack_default_1000_0", true, true},
        {"JACK 2, another user's server", "jack_default_0_0", true, false},
        {"JACK 2, another server name", "jack_studio_1000_0", true, false},
        {"JACK 2, a plain file left behind", "jack_default_1000_0", false, false},
        {"JACK 1, this user's server folder", "jack-1000/default/jack_0", true, true},
        {"JACK 1, another server's folder", "jack-1000/studio/jack_0", true, false},
        {"semaphores of a server long gone", "jack_sem.1000_default_system", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempDir dir;
        const fs::path made = dir.path() / "shm" / c.made;
        fs::create_directories(dir.path() / "shm");
        if (*c.made && c.socket) makeSocket(made);
        if (*c.made && !c.socket) {
            fs::create_directories(made.parent_path());
            std::FILE* file = std::fopen(made.c_str(), "w");
            ASSERT_NE(file, nullptr);
            std::fclose(file);
        }
        JackPlaces places;
        places.socketDir = (dir.path() / "shm").string();
        places.userId = 1000;
        EXPECT_EQ(jackServerMayRun(places), c.mayRun);
    }
}

TEST(JackPresence, PipeWireOrUnusualPlacesMeanMaybe) {
    testing::TempDir dir;
    JackPlaces places;
    places.socketDir = (dir.path() / "shm").string();
    places.runtimeDir = (dir.path() / "run").string();
    places.userId = 1000;
    EXPECT_FALSE(jackServerMayRun(places));

    makeSocket(dir.path() / "run" / "pipewire-0");
    EXPECT_TRUE(jackServerMayRun(places)) << "PipeWire's libjack serves JACK clients";

    places.runtimeDir.clear();
    places.placesUncertain = true;
    EXPECT_TRUE(jackServerMayRun(places)) << "sockets elsewhere are not looked for";
}

// Sets a variable for the test's length and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(JackPresence, TheEnvironmentNamesTheServerAndItsFolder) {
    ScopedVariable server("JACK_DEFAULT_SERVER", "vornix-test-1");
    ScopedVariable promiscuous("JACK_PROMISCUOUS_SERVER", nullptr);
    std::optional<ScopedVariable> tmpDir(std::in_place, "JACK_TMPDIR", nullptr);
    JackPlaces places = JackPlaces::fromEnvironment();
    EXPECT_EQ(places.serverName, "vornix-test-1");
    EXPECT_EQ(places.socketDir, "/dev/shm");
    EXPECT_EQ(places.userId, ::geteuid());
    EXPECT_FALSE(places.placesUncertain);

    tmpDir.emplace("JACK_TMPDIR", "/var/tmp/jack");
    places = JackPlaces::fromEnvironment();
    EXPECT_EQ(places.socketDir, "/var/tmp/jack");
    EXPECT_TRUE(places.placesUncertain);
}

}  // namespace
}  // namespace vornix::host
