#pragma once

// Files for tests: a temporary folder removed with everything in it, and whole-file reads and
// writes.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <system_error>

namespace vintrel::test {

// A fresh folder below the system's temporary folder, named `prefix` and a unique suffix, removed
// with everything in it.
class TempDir {
public:
    explicit TempDir(std::string_view prefix = "vintrel-test") {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a temporary folder";
        }
        path_ = pattern;
    }
    ~TempDir() {
        namespace fs = std::filesystem;
        std::error_code ec;
        // Folders a test made read-only must become writable again to be removed.
        for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
             it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec)) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
            }
        }
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The whole content of `path`; a test failure when it cannot be opened.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    std::ostringstream content;
    content << in.rdbuf();
    return std::move(content).str();
}

// Writes `bytes` as the whole content of `path`, making its folder first when missing; a fatal
// test failure when that fails.
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

} // namespace vintrel::test
