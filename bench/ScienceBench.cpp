// zrrun --format csv and --format netcdf on an 80 MB run against plain extraction of the
// same file (zrrun --choice 1, the extraction --format runs first): elapsed time and peak
// memory of each program run, and their ratios. A run of a quarter the size shows
// whether memory stays flat as runs grow.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "loggersim/RunFileBuilder.h"

namespace {

constexpr size_t kRunBytes = size_t{80} << 20;
constexpr int kRounds = 2;

struct Figures {
  double seconds = 1e9;
  double peakMegabytes = 0;
};

// One zrrun per round into an empty folder; the best time and the largest peak.
Figures Zrrun(const std::filesystem::path& runFile, const std::filesystem::path& out,
              const std::vector<std::string>& options) {
  Figures best;
  for (int k = 0; k < kRounds; ++k) {
    std::filesystem::remove_all(out);
    std::vector<std::string> args = {ZRRUN_PATH, "--out", out.string()};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(runFile.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The child would otherwise write again what this program has printed but not yet
    // flushed (stdout into a file or pipe is fully buffered).
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
      std::freopen("/dev/null", "w", stdout);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "zrrun failed (status %d)\n", status);
    best.seconds = std::min(best.seconds, seconds);
    best.peakMegabytes = std::max(best.peakMegabytes, static_cast<double>(usage.ru_maxrss) / 1024.0);
  }
  return best;
}

// What a program run left in its output folder.
double FolderMegabytes(const std::filesystem::path& folder) {
  uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) bytes += entry.file_size();
  return static_cast<double>(bytes) / (1 << 20);
}

void Measure(const std::filesystem::path& folder, size_t bytes) {
  ql::sim::SampleRunOptions options;
  options.atLeastBytes = bytes;
  options.activePorts = 8;
  options.analogChannels = 7;
  const std::filesystem::path runFile = folder / "run.001";
  const double megabytes = static_cast<double>(ql::sim::WriteFileBytes(runFile, ql::sim::BuildSampleRun(options).bytes)
                                                   ? std::filesystem::file_size(runFile)
                                                   : 0) /
                           (1 << 20);
  std::printf("run file: %.1f MB, 8 instruments, 7 analog channels (best of %d)\n", megabytes, kRounds);
  const Figures plain = Zrrun(runFile, folder / "out", {"--choice", "1"});
  std::printf("  %-26s %7.2f s  %7.1f MB peak  %7.1f MB written\n", "extraction (--choice 1)", plain.seconds,
              plain.peakMegabytes, FolderMegabytes(folder / "out"));
  for (const char* format : {"csv", "netcdf"}) {
    const Figures f = Zrrun(runFile, folder / "out", {"--format", format});
    std::printf("  %-26s %7.2f s  %7.1f MB peak  %7.1f MB written   time %.2fx, memory %.2fx of the extraction\n",
                (std::string("--format ") + format).c_str(), f.seconds, f.peakMegabytes, FolderMegabytes(folder / "out"),
                f.seconds / plain.seconds, f.peakMegabytes / plain.peakMegabytes);
  }
}

}  // namespace

int main() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ql9-science-bench";
  std::filesystem::create_directories(folder);
  Measure(folder, kRunBytes / 4);
  Measure(folder, kRunBytes);
  std::filesystem::remove_all(folder);
  return 0;
}
