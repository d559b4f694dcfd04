#pragma once

#include <filesystem>
#include <string>

namespace support {

// A private folder under the system's temporary one, removed with all it holds with the object.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "melquad_test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }  // empty if it was not made

private:
    std::filesystem::path path_;
};

}  // namespace support
