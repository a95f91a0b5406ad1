#include "app/cli/batch_export.h"

#include "model/export_extras.h"
#include "persist/atomic_file.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vintrel {

namespace {

namespace fs = std::filesystem;

std::string extensionForType(const std::map<std::string, std::string>& options) {
    const auto type = options.find("type");
    const std::string name = type == options.end() ? "sheet" : type->second;
    const std::map<std::string, std::string> extensions = {
        {"video", ".mp4"}, {"gif", ".gif"}, {"webp", ".webp"}, {"webm", ".webm"}, {"prores", ".mov"}};
    const auto found = extensions.find(name);
    return found == extensions.end() ? ".png" : found->second;
}

// 64-bit FNV-1a: enough to tell inputs apart, not a security measure.
void mix(std::uint64_t& hash, std::string_view bytes) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    hash ^= 0xff; // a separator, so "ab"+"c" and "a"+"bc" differ
    hash *= 1099511628211ULL;
}

std::string lastLineOf(const std::string& text) {
    std::string line;
    std::istringstream lines(text);
    for (std::string each; std::getline(lines, each, '\n');) {
        // A progress bar redraws itself with carriage returns; its last state counts.
        const std::size_t cut = each.rfind('\r');
        const std::string shown = cut == std::string::npos ? each : each.substr(cut + 1);
        if (!shown.empty()) {
            line = shown;
        }
    }
    return line;
}

struct Outcome {
    bool ok = false;
    std::string message;
};

// Runs one export process with its messages going to `log`, and waits for it.
Outcome runOne(const fs::path& cli, const ExportJob& job, const fs::path& log) {
    std::vector<std::string> words{cli.string(), "export", job.project.string(), "-o", job.output.string()};
    for (const auto& [name, value] : job.options) {
        words.push_back("--" + name);
        words.push_back(value);
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return {false, "cannot start " + cli.string()};
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const std::optional<std::string> text = readWholeFile(log);
    const std::string last = lastLineOf(text.value_or(""));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return {true, {}};
    }
    return {false, last.empty() ? "the export failed" : last};
}

} // namespace

Result<std::vector<ExportJob>> readJobFile(const fs::path& file) {
    const std::optional<std::string> text = readWholeFile(file);
    if (!text) {
        return Message{"cannot read the job file %1", {file.string()}};
    }
    const nlohmann::json root = nlohmann::json::parse(*text, nullptr, false);
    if (root.is_discarded() || !root.is_object() || !root.contains("jobs") || !root["jobs"].is_array()) {
        return Message{"the job file %1 is not JSON with a \"jobs\" list", {file.string()}};
    }
    const fs::path base = file.parent_path();
    std::vector<ExportJob> jobs;
    for (std::size_t i = 0; i < root["jobs"].size(); ++i) {
        const nlohmann::json& entry = root["jobs"][i];
        const std::string where = file.string() + " (job " + std::to_string(i + 1) + ")";
        if (!entry.is_object() || !entry.contains("project") || !entry["project"].is_string() ||
            !entry.contains("output") || !entry["output"].is_string()) {
            return Message{"%1 needs \"project\" and \"output\" as text", {where}};
        }
        ExportJob job{base / entry["project"].get<std::string>(), base / entry["output"].get<std::string>(), {}};
        if (entry.contains("options")) {
            if (!entry["options"].is_object()) {
                return Message{"%1: \"options\" is not an object", {where}};
            }
            for (const auto& [name, value] : entry["options"].items()) {
                if (value.is_string()) {
                    job.options[name] = value.get<std::string>();
                } else if (value.is_number_integer()) {
                    job.options[name] = std::to_string(value.get<long long>());
                } else if (value.is_boolean()) {
                    job.options[name] = value.get<bool>() ? "1" : "0";
                } else {
                    return Message{"%1: the option %2 is neither text nor a whole number", {where, name}};
                }
            }
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

std::vector<ExportJob> folderJobs(const std::vector<std::string>& projects, const fs::path& folder,
                                  const std::map<std::string, std::string>& options) {
    std::vector<ExportJob> jobs;
    const std::string extension = extensionForType(options);
    for (const std::string& project : projects) {
        jobs.push_back({project, folder / (fs::path(project).stem().string() + extension), options});
    }
    return jobs;
}

std::string exportFingerprint(const ExportJob& job) {
    std::uint64_t hash = 14695981039346656037ULL;
    mix(hash, readWholeFile(job.project).value_or(std::string("\0missing", 8)));
    for (const auto& [name, value] : job.options) {
        mix(hash, name);
        mix(hash, value);
    }
    mix(hash, job.output.filename().string());
    char text[32];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

fs::path stampPath(const fs::path& output) {
    fs::path stamp = output;
    stamp += ".vintrel-stamp";
    return stamp;
}

bool isUnchanged(const ExportJob& job) {
    std::error_code ec;
    if (!fs::exists(job.output, ec)) {
        return false;
    }
    const std::optional<std::string> stamp = readWholeFile(stampPath(job.output));
    return stamp && *stamp == exportFingerprint(job) + "\n";
}

Status writeStamp(const ExportJob& job) {
    return writeFileAtomically(stampPath(job.output), exportFingerprint(job) + "\n");
}

int runExportJobs(const fs::path& cli, const std::vector<ExportJob>& jobs, int parallel, bool ifChanged,
                  std::ostream& out) {
    char pattern[] = "/tmp/vintrel-batch-XXXXXX";
    const char* logs = ::mkdtemp(pattern);
    if (logs == nullptr) {
        out << "vintrel-cli: cannot create a folder for the exports' messages\n";
        return 1;
    }
    std::mutex printing;
    std::atomic<std::size_t> next{0};
    std::atomic<int> failures{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const ExportJob& job = jobs[i];
            const std::string name = job.project.filename().string();
            if (ifChanged && isUnchanged(job)) {
                const std::lock_guard lock(printing);
                out << name << ": unchanged, skipped " << job.output.string() << '\n' << std::flush;
                continue;
            }
            const auto start = std::chrono::steady_clock::now();
            // A job file may name folders that are not there yet.
            std::error_code ec;
            fs::create_directories(job.output.parent_path(), ec);
            const Outcome outcome = runOne(cli, job, fs::path(logs) / (std::to_string(i) + ".log"));
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (outcome.ok && ifChanged) {
                (void)writeStamp(job);
            }
            failures += outcome.ok ? 0 : 1;
            const std::lock_guard lock(printing);
            char took[32];
            std::snprintf(took, sizeof took, " (%.1f s)", seconds);
            if (outcome.ok) {
                out << name << ": wrote " << job.output.string() << took << '\n' << std::flush;
            } else {
                out << name << ": failed: " << outcome.message << took << '\n' << std::flush;
            }
        }
    };
    std::vector<std::thread> workers;
    const int count = std::clamp(parallel, 1, std::max(1, static_cast<int>(jobs.size())));
    for (int t = 0; t < count; ++t) {
        workers.emplace_back(work);
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    std::error_code ec;
    fs::remove_all(logs, ec);
    return failures.load() == 0 ? 0 : 1;
}

} // namespace vintrel
