#pragma once

#include "platform/result.h"

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vintrel {

// One project to export: its file, its output and the export options (as on the command line,
// without the dashes).
struct ExportJob {
    std::filesystem::path project;
    std::filesystem::path output;
    std::map<std::string, std::string> options;
};

// The jobs of a job file: {"jobs": [{"project": "fire.stn", "output": "out/fire.png",
// "options": {"columns": 8, "atlas": "godot"}}, ...]}; relative paths are taken from the job
// file's folder, option values may be strings or numbers. Fails with a message naming the file
// and what is wrong in it.
Result<std::vector<ExportJob>> readJobFile(const std::filesystem::path& file);

// A job per project, each written into `folder` under the project's name with the extension its
// output type takes (".png" for sheets, numbered files and APNG, ".mp4", ".gif", ".webp",
// ".webm", ".mov"), all with the same options.
std::vector<ExportJob> folderJobs(const std::vector<std::string>& projects, const std::filesystem::path& folder,
                                  const std::map<std::string, std::string>& options);

// The fingerprint of what an export reads: the project's bytes, the options and the output's
// name. The same fingerprint means the same files would be written again.
std::string exportFingerprint(const ExportJob& job);
// The file that keeps the fingerprint of the export that wrote `output`: "<output>.vintrel-stamp".
std::filesystem::path stampPath(const std::filesystem::path& output);
// Whether the export of `job` can be skipped: its output and stamp exist and the stamp holds
// the job's fingerprint.
bool isUnchanged(const ExportJob& job);
// Records that `job` has written its output.
Status writeStamp(const ExportJob& job);

// Runs every job as its own `cli` process (`cli export PROJECT -o OUTPUT --OPTION VALUE ...`),
// at most `parallel` at a time, after making the output's folder, and prints one line per project to `out` when it ends: written,
// skipped as unchanged (with `ifChanged`), or failed with the last line of its messages. Returns
// 0 when every job succeeded or was skipped, 1 otherwise.
int runExportJobs(const std::filesystem::path& cli, const std::vector<ExportJob>& jobs, int parallel,
                  bool ifChanged, std::ostream& out);

} // namespace vintrel
