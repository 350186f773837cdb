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

}  // namespace vornix::testing
