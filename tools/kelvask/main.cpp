// kelvask: turns the frames of a video export into a video file with ffmpeg.
//
// Started by the editor with no arguments and its working folder set to the export's render
// folder, it reads "render.ini" from the current folder:
//   [info]   end=<index of the last frame>  fps=<frames per second>
//   [size]   width=<pixels>  height=<pixels>
//   [result] name=<path of the video; relative paths are taken from the current folder>
// checks that "00000.bmp" .. "%05d.bmp" of end exist and runs ffmpeg (found on PATH) with an
// argument vector, never through a shell. ".avi" gets MPEG-4 part 2; anything else H.264 when
// this ffmpeg has libx264, else MPEG-4 part 2. The frames are scaled to width x height and padded
// to even sides, which 4:2:0 chroma needs. ffmpeg writes a temporary file beside the video, renamed
// over it only on success, so a failed run leaves an existing video as it was.
//
// Exit codes: 0 done, 2 render.ini missing or wrong, 3 a frame missing, 4 ffmpeg cannot be
// started, 5 ffmpeg failed. Every failure prints one line on stderr.

#include "platform/ini_document.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vintrel::kelvask {
namespace {

namespace fs = std::filesystem;

constexpr int kBadSettings = 2;
constexpr int kMissingFrame = 3;
constexpr int kNoFfmpeg = 4;
constexpr int kFfmpegFailed = 5;

constexpr std::uintmax_t kMaxIniBytes = 1 << 20;
constexpr int kMaxEnd = 999999;
constexpr int kMaxFps = 1000;
constexpr int kMaxSide = 32768;

struct RenderJob {
    int end = 0;
    int fps = 0;
    int width = 0;
    int height = 0;
    fs::path name;
};

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "kelvask: %s\n", message.c_str());
    return code;
}

std::optional<std::string> readSettings(const fs::path& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxIniBytes) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        return std::nullopt;
    }
    return bytes;
}

bool readNumber(const IniDocument& ini, std::string_view section, std::string_view key, int low, int high,
                int& value, std::string& error) {
    const std::optional<std::string_view> text = ini.find(section, key);
    const std::string where = "[" + std::string(section) + "] " + std::string(key);
    if (!text) {
        error = "render.ini has no " + where;
        return false;
    }
    const char* first = text->data();
    const char* last = first + text->size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || value < low || value > high) {
        error = "render.ini: " + where + " is \"" + std::string(*text) + "\", not a whole number in " +
                std::to_string(low) + " .. " + std::to_string(high);
        return false;
    }
    return true;
}

bool readJob(const IniDocument& ini, RenderJob& job, std::string& error) {
    if (!readNumber(ini, "info", "end", 0, kMaxEnd, job.end, error) ||
        !readNumber(ini, "info", "fps", 1, kMaxFps, job.fps, error) ||
        !readNumber(ini, "size", "width", 1, kMaxSide, job.width, error) ||
        !readNumber(ini, "size", "height", 1, kMaxSide, job.height, error)) {
        return false;
    }
    const std::optional<std::string_view> name = ini.find("result", "name");
    if (!name || name->empty() || name->find('\0') != std::string_view::npos) {
        error = "render.ini has no usable [result] name";
        return false;
    }
    std::error_code ec;
    job.name = fs::absolute(fs::path(std::string(*name)), ec);
    if (ec || !job.name.has_filename()) {
        error = "render.ini: [result] name is not a file path";
        return false;
    }
    return true;
}

std::string frameName(int k) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d.bmp", k);
    return name;
}

bool checkFrames(const RenderJob& job, std::string& error) {
    for (int k = 0; k <= job.end; ++k) {
        std::error_code ec;
        if (!fs::is_regular_file(frameName(k), ec)) {
            error = "frame " + frameName(k) + " is missing";
            return false;
        }
    }
    return true;
}

// Runs args[0] (searched on PATH) with stdin on /dev/null and waits for it. With `captured`,
// its stdout is collected there; otherwise stdout and stderr are this program's. Returns the
// wait status, or -1 with the reason in `error` when it cannot be started.
int runProgram(const std::vector<std::string>& args, std::string* captured, std::string& error) {
    int fds[2] = {-1, -1};
    if (captured != nullptr && ::pipe2(fds, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captured != nullptr) {
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    }
    std::vector<std::string> storage = args;
    std::vector<char*> argv;
    for (std::string& arg : storage) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captured != nullptr) {
        ::close(fds[1]);
    }
    if (rc != 0) {
        if (captured != nullptr) {
            ::close(fds[0]);
        }
        error = std::strerror(rc);
        return -1;
    }
    if (captured != nullptr) {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(fds[0], buffer, sizeof buffer)) != 0) {
            if (n > 0) {
                captured->append(buffer, static_cast<std::size_t>(n));
            } else if (errno != EINTR) {
                break;
            }
        }
        ::close(fds[0]);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            error = std::strerror(errno);
            return -1;
        }
    }
    return status;
}

bool succeeded(int status) {
    return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool hasLibx264() {
    std::string listing;
    std::string error;
    const int status =
        runProgram({"ffmpeg", "-hide_banner", "-loglevel", "error", "-encoders"}, &listing, error);
    return succeeded(status) && listing.find(" libx264 ") != std::string::npos;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::vector<std::string> ffmpegArguments(const RenderJob& job, bool useX264, const fs::path& target) {
    const int paddedWidth = job.width + (job.width & 1);
    const int paddedHeight = job.height + (job.height & 1);
    const std::string filter = "scale=" + std::to_string(job.width) + ":" + std::to_string(job.height) +
                               ",pad=" + std::to_string(paddedWidth) + ":" + std::to_string(paddedHeight) +
                               ":0:0";
    std::vector<std::string> args = {"ffmpeg",
                                     "-nostdin",
                                     "-y",
                                     "-loglevel",
                                     "error",
                                     "-framerate",
                                     std::to_string(job.fps),
                                     "-start_number",
                                     "0",
                                     "-i",
                                     "%05d.bmp",
                                     "-frames:v",
                                     std::to_string(job.end + 1),
                                     "-vf",
                                     filter};
    if (useX264) {
        args.insert(args.end(), {"-c:v", "libx264"});
    } else {
        args.insert(args.end(), {"-c:v", "mpeg4", "-q:v", "2"});
    }
    // "file:" keeps a name that starts with '-' or looks like a protocol an ordinary file.
    args.insert(args.end(), {"-pix_fmt", "yuv420p", "file:" + target.string()});
    return args;
}

int encode(const RenderJob& job) {
    const bool isAvi = lowerCase(job.name.extension().string()) == ".avi";
    const bool useX264 = !isAvi && hasLibx264();
    fs::path temporary = job.name.parent_path() / (".kelvask-" + std::to_string(::getpid()));
    temporary += job.name.extension();
    std::string error;
    const int status = runProgram(ffmpegArguments(job, useX264, temporary), nullptr, error);
    std::error_code ec;
    if (status < 0) {
        return fail(kNoFfmpeg, "cannot start ffmpeg (is it installed and on PATH?): " + error);
    }
    if (!succeeded(status)) {
        fs::remove(temporary, ec);
        return fail(kFfmpegFailed, "ffmpeg failed making " + job.name.string());
    }
    fs::rename(temporary, job.name, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return fail(kFfmpegFailed, "cannot move the video to " + job.name.string() + ": " + ec.message());
    }
    return 0;
}

int run() {
    const std::optional<std::string> bytes = readSettings("render.ini");
    if (!bytes) {
        return fail(kBadSettings, "cannot read render.ini in the current folder");
    }
    const IniDocument ini = IniDocument::parse(*bytes);
    RenderJob job;
    std::string error;
    if (!readJob(ini, job, error)) {
        return fail(kBadSettings, error);
    }
    if (!checkFrames(job, error)) {
        return fail(kMissingFrame, error);
    }
    return encode(job);
}

} // namespace
} // namespace vintrel::kelvask

int main() {
    return vintrel::kelvask::run();
}
