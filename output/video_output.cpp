#include "output/video_output.h"

#include "output/area_scale.h"
#include "persist/app_settings.h"
#include "persist/atomic_file.h"
#include "platform/ini_document.h"

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
Status writeVideoFrame(const OutputFrames& frames, const QColor& background, int k) {
    const Result<QImage> frame = frameOverFill(frames, k, background);
    if (!frame) {
        return frame.error();
    }
    const std::filesystem::path target = videoFramePath(frames, k);
    const Result<std::string> bytes = encodeImage(*frame, ImageFormat::Bmp, false);
    if (!bytes) {
        return Message{kCannotWrite, {target.string(), untranslated(bytes.error())}};
    }
    if (Status written = writeFileAtomically(target, *bytes); !written) {
        return Message{kCannotWrite, {target.string(), untranslated(written.error())}};
    }
    return {};
}

// Copies the tool into the render folder (atomically, so that a copy still running elsewhere is
// not overwritten in place) and makes it executable.
Status copyTool(const std::filesystem::path& tool, const std::filesystem::path& target) {
    const std::optional<std::string> bytes = readWholeFile(tool);
    if (!bytes) {
        return Message{"the video tool is missing or unreadable: %1", {tool.string()}};
    }
    if (Status written = writeFileAtomically(target, *bytes); !written) {
        return Message{"cannot copy the video tool to %1: %2",
                       {target.string(), untranslated(written.error())}};
    }
    std::error_code ec;
    std::filesystem::permissions(target, std::filesystem::perms(0755), std::filesystem::perm_options::replace,
                                 ec);
    if (ec) {
        return Message{"cannot make %1 executable: %2", {target.string(), ec.message()}};
    }
    return {};
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

Status spawnTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& folder, RunningTool& run) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return Message{"cannot start the video tool: %1", {std::strerror(errno)}};
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
    std::vector<std::string> words{programText};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const int rc = ::posix_spawn(&run.pid, programText.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return Message{"cannot start the video tool %1: %2", {programText, std::strerror(rc)}};
    }
    run.stderrFd = fds[0];
    ::fcntl(run.stderrFd, F_SETFL, ::fcntl(run.stderrFd, F_GETFL) | O_NONBLOCK);
    return {};
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

Message describeFailure(int status, const std::string& tail) {
    const std::string lines = lastLines(tail);
    const bool quoted = !lines.empty();
    if (WIFEXITED(status)) {
        return Message{quoted ? "the video tool failed with exit code %1:\n%2"
                              : "the video tool failed with exit code %1",
                       {std::to_string(WEXITSTATUS(status)), lines}};
    }
    if (WIFSIGNALED(status)) {
        return Message{quoted ? "the video tool was ended by signal %1:\n%2"
                              : "the video tool was ended by signal %1",
                       {std::to_string(WTERMSIG(status)), lines}};
    }
    return Message{quoted ? "the video tool failed:\n%1" : "the video tool failed", {lines}};
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

std::optional<std::filesystem::path> findProgram(std::string_view name, std::string_view searchPath) {
    // As execvp searches: every folder of the path in turn, an empty entry meaning the current one.
    std::size_t begin = 0;
    while (begin <= searchPath.size()) {
        const std::size_t end = std::min(searchPath.find(':', begin), searchPath.size());
        const std::string_view folder = searchPath.substr(begin, end - begin);
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : std::string(folder)) / std::string(name);
        if (isExecutableFile(candidate)) {
            return candidate;
        }
        begin = end + 1;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> findFfmpeg() {
    const char* path = std::getenv("PATH");
    return findProgram("ffmpeg", path != nullptr ? path : "/usr/bin:/bin");
}

Status videoToolsProblem(const std::filesystem::path& tool, std::string_view searchPath) {
    if (!isExecutableFile(tool)) {
        return Message{"the video tool is missing or cannot be run: %1"
                       " (build the kelvask target with the programs, or name the tool in VINTREL_KELVASK)",
                       {tool.string()}};
    }
    if (findProgram("ffmpeg", searchPath)) {
        return {};
    }
    return Message{kFfmpegMissing};
}

Status videoToolsProblem(const std::filesystem::path& tool) {
    const char* path = std::getenv("PATH");
    return videoToolsProblem(tool, path != nullptr ? path : "/usr/bin:/bin");
}

std::chrono::milliseconds videoToolTimeout(const OutputFrames& frames) {
    return std::chrono::seconds(60) + std::chrono::seconds(std::max(frames.lastIndex + 1, 0));
}

Status runVideoTool(const std::filesystem::path& program, const std::filesystem::path& workingFolder,
                    std::chrono::milliseconds timeout) {
    return runTool(program, {}, workingFolder, timeout);
}

Status runTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(program, ec)) {
        return Message{kVideoToolMissing, {program.string()}};
    }
    if (!std::filesystem::is_directory(workingFolder, ec)) {
        return Message{"the video tool's folder is missing: %1", {workingFolder.string()}};
    }
    // The program is started after the change of folder, so a relative path would miss it.
    const std::filesystem::path absolute = std::filesystem::absolute(program, ec);
    if (ec) {
        return Message{"cannot resolve the video tool path %1: %2", {program.string(), ec.message()}};
    }
    RunningTool run;
    if (Status started = spawnTool(absolute, arguments, workingFolder, run); !started) {
        return started;
    }
    std::string tail;
    const WaitResult waited = awaitExit(run, timeout, tail);
    const int status = finishTool(run, tail);
    if (waited == WaitResult::TimedOut) {
        return Message{"the video tool did not finish within %1 s and was stopped",
                       {std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeout).count())}};
    }
    if (waited == WaitResult::Lost) {
        return Message{"lost track of the video tool %1", {program.string()}};
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return describeFailure(status, tail);
    }
    return {};
}

Status writeVideo(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                  const std::filesystem::path& tool) {
    if (Status checked = checkOutputFrames(frames); !checked) {
        return checked;
    }
    const std::string outputText = output.string();
    if (outputText.empty() || outputText.find_first_of("\r\n") != std::string::npos) {
        return Message{"the video file name is empty or contains a line break"};
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(tool, ec)) {
        return Message{kVideoToolMissing, {tool.string()}};
    }
    const QColor background = opaqueBackground(g);
    // The frames handed over, then the tool's encoding, counted as long as half of them.
    frames.expectWork((frames.lastIndex + 1) * 1.5);
    for (int k = 0; k <= frames.lastIndex; ++k) {
        if (Status written = writeVideoFrame(frames, background, k); !written) {
            return written;
        }
    }
    const std::filesystem::path ini = frames.renderFolder / "render.ini";
    if (Status written = writeFileAtomically(ini, renderIniText(frames, g, output)); !written) {
        return Message{kCannotWrite, {ini.string(), untranslated(written.error())}};
    }
    const std::filesystem::path copied = frames.renderFolder / "kelvask";
    if (Status copiedTool = copyTool(tool, copied); !copiedTool) {
        return copiedTool;
    }
    Status encoded = runVideoTool(copied, frames.renderFolder, videoToolTimeout(frames));
    if (encoded) {
        frames.workDone((frames.lastIndex + 1) * 0.5);
    }
    return encoded;
}

} // namespace vintrel
