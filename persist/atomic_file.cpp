#include "persist/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vintrel {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

Status writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path folder = target.parent_path();
    // A short temporary name, so that a target whose name is as long as the file system allows
    // can still be written.
    std::string pattern = (folder / ".vintrel-save-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return systemReason(std::strerror(errno));
    }
    const bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::fchmod(fd, 0644);
    if (::close(fd) != 0 || !ok) {
        const int reason = ok ? errno : savedErrno;
        ::unlink(pattern.c_str());
        return systemReason(std::strerror(reason));
    }
    if (::rename(pattern.c_str(), target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(pattern.c_str());
        return systemReason(std::strerror(reason));
    }
    syncFolder(folder);
    return {};
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(content).str();
}

} // namespace vintrel
