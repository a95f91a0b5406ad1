#include "output/video_output.h"

#include "output/area_scale.h"
#include "persist/app_settings.h"
#include "persist/atomic_file.h"
#include "platform/ini_document.h"

#include <QPainter>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vintrel {
namespace {

constexpr std::size_t kStderrKept = 8192; // bytes of the tool's stderr kept for a message
constexpr int kStderrLines = 5;           // lines of it quoted

// Frame k over the opaque background, encoded as BMP and written atomically.
bool writeVideoFrame(const OutputFrames& frames, const QColor& background, int k, std::string& error) {
    QImage scaled;
    if (!loadScaledFrame(frames, k, scaled, error)) {
        return false;
    }
    QImage frame = blankFrame(frames.width, frames.height, background);
    if (frame.isNull()) {
        error = "not enough memory for a frame of " + std::to_string(frames.width) + " x " +
                std::to_string(frames.height) + " pixels";
        return false;
    }
    {
        QPainter painter(&frame);
        painter.drawImage(QPoint(0, 0), scaled);
    }
    std::string bytes;
    std::string reason;
    const std::filesystem::path target = videoFramePath(frames, k);
    if (!encodeImage(frame, ImageFormat::Bmp, false, bytes, reason) ||
        !writeFileAtomically(target, bytes, reason)) {
        error = "cannot write " + target.string() + ": " + reason;
        return false;
    }
    return true;
}

// Copies the tool into the render folder (atomically, so that a copy still running elsewhere is
// not overwritten in place) and makes it executable.
bool copyTool(const std::filesystem::path& tool, const std::filesystem::path& target, std::string& error) {
    const std::optional<std::string> bytes = readWholeFile(tool);
    if (!bytes) {
        error = "the video tool is missing or unreadable: " + tool.string();
        return false;
    }
    std::string reason;
    if (!writeFileAtomically(target, *bytes, reason)) {
        error = "cannot copy the video tool to " + target.string() + ": " + reason;
        return false;
    }
    std::error_code ec;
    std::filesystem::permissions(target, std::filesystem::perms(0755), std::filesystem::perm_options::replace,
                                 ec);
    if (ec) {
        error = "cannot make " + target.string() + " executable: " + ec.message();
        return false;
    }
    return true;
}

// The last few non-empty lines of `text`.
std::string lastLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
        start = end + 1;
    }
    const std::size_t first = lines.size() > kStderrLines ? lines.size() - kStderrLines : 0;
    std::string out;
    for (std::size_t i = first; i < lines.size(); ++i) {
        out += (out.empty() ? "" : "\n") + lines[i];
    }
    return out;
}

// Reads what is there on `fd` into the kept tail; false once the pipe is closed or broken.
bool readAvailable(int fd, std::string& tail) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            tail.append(buffer, static_cast<std::size_t>(n));
            if (tail.size() > kStderrKept) {
                tail.erase(0, tail.size() - kStderrKept);
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// A started tool: its process (leader of its own group) and the read end of its stderr.
struct RunningTool {
    pid_t pid = -1;
    int stderrFd = -1;
};

bool spawnTool(const std::filesystem::path& program, const std::filesystem::path& folder, RunningTool& run,
               std::string& error) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("cannot start the video tool: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&attributes, &signalSet);
    sigaddset(&signalSet, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signalSet);
    std::string programText = program.string();
    char* const argv[] = {programText.data(), nullptr};
    const int rc = ::posix_spawn(&run.pid, programText.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        error = "cannot start the video tool " + programText + ": " + std::strerror(rc);
        return false;
    }
    run.stderrFd = fds[0];
    ::fcntl(run.stderrFd, F_SETFL, ::fcntl(run.stderrFd, F_GETFL) | O_NONBLOCK);
    return true;
}

enum class WaitResult { Exited, TimedOut, Lost };

// Collects stderr until the tool has exited (not yet reaped) or the deadline passes.
WaitResult awaitExit(const RunningTool& run, std::chrono::milliseconds timeout, std::string& tail) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool pipeOpen = true;
    for (;;) {
        siginfo_t info{};
        const int rc = ::waitid(P_PID, static_cast<id_t>(run.pid), &info, WEXITED | WNOHANG | WNOWAIT);
        if (rc == 0 && info.si_pid == run.pid) {
            return WaitResult::Exited;
        }
        if (rc != 0 && errno != EINTR) {
            return WaitResult::Lost;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return WaitResult::TimedOut;
        }
        const int slice = static_cast<int>(std::min<long long>(left.count(), 50));
        if (pipeOpen) {
            pollfd pfd{run.stderrFd, POLLIN, 0};
            if (::poll(&pfd, 1, slice) > 0) {
                pipeOpen = readAvailable(run.stderrFd, tail);
            }
        } else {
            ::usleep(static_cast<useconds_t>(slice) * 1000);
        }
    }
}

// Ends whatever is left of the tool's process group, reaps the tool and returns its status.
int finishTool(const RunningTool& run, std::string& tail) {
    ::kill(-run.pid, SIGKILL);
    int status = 0;
    while (::waitpid(run.pid, &status, 0) < 0 && errno == EINTR) {
    }
    readAvailable(run.stderrFd, tail);
    ::close(run.stderrFd);
    return status;
}

std::string describeFailure(int status, const std::string& tail) {
    std::string text;
    if (WIFEXITED(status)) {
        text = "the video tool failed with exit code " + std::to_string(WEXITSTATUS(status));
    } else if (WIFSIGNALED(status)) {
        text = "the video tool was ended by signal " + std::to_string(WTERMSIG(status));
    } else {
        text = "the video tool failed";
    }
    const std::string lines = lastLines(tail);
    return lines.empty() ? text : text + ":\n" + lines;
}

} // namespace

std::filesystem::path videoFramePath(const OutputFrames& frames, int k) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d.bmp", k);
    return frames.renderFolder / name;
}

std::string renderIniText(const OutputFrames& frames, const GlobalState& g,
                          const std::filesystem::path& output) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(output, ec);
    if (ec) {
        absolute = output;
    }
    IniDocument ini;
    ini.write("info", "end", std::to_string(frames.lastIndex));
    ini.write("info", "fps", std::to_string(g.project.fps));
    ini.write("size", "width", std::to_string(frames.width));
    ini.write("size", "height", std::to_string(frames.height));
    ini.write("result", "name", absolute.string());
    return ini.serialize();
}

std::filesystem::path videoToolPath(const GlobalState& g) {
    const char* fromEnvironment = std::getenv("VINTREL_KELVASK");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return fromEnvironment;
    }
    return shippedFile(g.programFolder, "libexec/vintrel", "kelvask");
}

namespace {

bool isExecutableFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

} // namespace

std::optional<std::string> videoToolsProblem(const std::filesystem::path& tool, std::string_view searchPath) {
    if (!isExecutableFile(tool)) {
        return "the video tool is missing or cannot be run: " + tool.string() +
               " (build the kelvask target with the programs, or name the tool in VINTREL_KELVASK)";
    }
    // As execvp searches: every folder of the path in turn, an empty entry meaning the current one.
    std::size_t begin = 0;
    while (begin <= searchPath.size()) {
        const std::size_t end = std::min(searchPath.find(':', begin), searchPath.size());
        const std::string_view folder = searchPath.substr(begin, end - begin);
        if (isExecutableFile(std::filesystem::path(folder.empty() ? "." : std::string(folder)) / "ffmpeg")) {
            return std::nullopt;
        }
        begin = end + 1;
    }
    return "ffmpeg, which makes the video, is not found on PATH (on Debian: apt install ffmpeg)";
}

std::optional<std::string> videoToolsProblem(const std::filesystem::path& tool) {
    const char* path = std::getenv("PATH");
    return videoToolsProblem(tool, path != nullptr ? path : "/usr/bin:/bin");
}

std::chrono::milliseconds videoToolTimeout(const OutputFrames& frames) {
    return std::chrono::seconds(60) + std::chrono::seconds(std::max(frames.lastIndex + 1, 0));
}

bool runVideoTool(const std::filesystem::path& program, const std::filesystem::path& workingFolder,
                  std::chrono::milliseconds timeout, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(program, ec)) {
        error = "the video tool is missing: " + program.string();
        return false;
    }
    if (!std::filesystem::is_directory(workingFolder, ec)) {
        error = "the video tool's folder is missing: " + workingFolder.string();
        return false;
    }
    // The program is started after the change of folder, so a relative path would miss it.
    const std::filesystem::path absolute = std::filesystem::absolute(program, ec);
    RunningTool run;
    if (ec || !spawnTool(absolute, workingFolder, run, error)) {
        if (ec) {
            error = "cannot resolve the video tool path " + program.string() + ": " + ec.message();
        }
        return false;
    }
    std::string tail;
    const WaitResult waited = awaitExit(run, timeout, tail);
    const int status = finishTool(run, tail);
    if (waited == WaitResult::TimedOut) {
        error = "the video tool did not finish within " +
                std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeout).count()) +
                " s and was stopped";
        return false;
    }
    if (waited == WaitResult::Lost) {
        error = "lost track of the video tool " + program.string();
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = describeFailure(status, tail);
        return false;
    }
    return true;
}

bool writeVideo(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                const std::filesystem::path& tool, std::string& error) {
    if (!checkOutputFrames(frames, error)) {
        return false;
    }
    const std::string outputText = output.string();
    if (outputText.empty() || outputText.find_first_of("\r\n") != std::string::npos) {
        error = "the video file name is empty or contains a line break";
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(tool, ec)) {
        error = "the video tool is missing: " + tool.string();
        return false;
    }
    const QColor background = opaqueBackground(g);
    for (int k = 0; k <= frames.lastIndex; ++k) {
        if (!writeVideoFrame(frames, background, k, error)) {
            return false;
        }
    }
    std::string reason;
    const std::filesystem::path ini = frames.renderFolder / "render.ini";
    if (!writeFileAtomically(ini, renderIniText(frames, g, output), reason)) {
        error = "cannot write " + ini.string() + ": " + reason;
        return false;
    }
    const std::filesystem::path copied = frames.renderFolder / "kelvask";
    return copyTool(tool, copied, error) &&
           runVideoTool(copied, frames.renderFolder, videoToolTimeout(frames), error);
}

} // namespace vintrel
