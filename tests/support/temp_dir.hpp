#pragma once
// A fresh folder under the system's temporary folder, removed with the object.
#include <filesystem>
#include <string>

namespace vornix::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// tests/data, from VORNIX_TEST_DATA (set by CTest) or the source tree.
std::filesystem::path testDataPath(const std::string& name);

// A path relative to the folder of the running test program: where the build
// puts the programs a test runs and the pictures it writes. The build gives
// these paths relative, the same in every checkout, so that the compiler
// cache's entries for the tests serve any clone.
std::string besideTestProgram(const std::string& relative);

}  // namespace vornix::testing
