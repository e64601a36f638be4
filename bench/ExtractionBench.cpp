// Run extraction of a 100 MB run file against a plain read of the same file (what
// `cat run.001 > /dev/null` does). The goal: extraction within 2x of the read. A plain
// copy (`cat run.001 > copy`) is shown as well: extraction writes about as much as it
// reads, and writing into the page cache costs more than reading from it.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/SilentOperator.h"
#include "flash/RunExtraction.h"
#include "loggersim/RunFileBuilder.h"

namespace {

constexpr size_t kRunBytes = size_t{100} << 20;
constexpr int kRounds = 3;
constexpr double kGoal = 2.0;

// Best of a few rounds: elapsed seconds, and the processor seconds (user and system)
// of this process, which a machine shared with other work leaves nearly unchanged.
struct Timing {
  double wall = 1e9;
  double cpu = 1e9;
};

template <typename Prepare, typename Work>
Timing Best(Prepare&& prepare, Work&& work) {
  Timing best;
  for (int k = 0; k < kRounds; ++k) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    work();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best.wall = std::min(best.wall, wall);
    best.cpu = std::min(best.cpu, cpu);
  }
  return best;
}

void Print(const char* what, double megabytes, const Timing& t, const Timing& read) {
  std::printf("%-34s %7.0f MB/s elapsed (%5.2fx)  %7.0f MB/s processor (%5.2fx)\n", what, megabytes / t.wall,
              t.wall / read.wall, megabytes / t.cpu, t.cpu / read.cpu);
}

void PlainRead(const std::filesystem::path& file) {
  std::vector<char> buffer(size_t{128} << 10);
  std::ifstream in(file, std::ios::binary);
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
  }
}

void PlainCopy(const std::filesystem::path& file, const std::filesystem::path& copy) {
  std::vector<char> buffer(size_t{128} << 10);
  std::ifstream in(file, std::ios::binary);
  std::ofstream out(copy, std::ios::binary | std::ios::trunc);
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
    out.write(buffer.data(), in.gcount());
  }
}

}  // namespace

int main() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ql9-extraction-bench";
  std::filesystem::create_directories(folder / "out");
  const std::filesystem::path runFile = folder / "run.001";

  ql::sim::SampleRunOptions options;
  options.atLeastBytes = kRunBytes;
  options.activePorts = 8;
  options.analogChannels = 7;
  const ql::sim::SampleRun run = ql::sim::BuildSampleRun(options);
  if (!ql::sim::WriteFileBytes(runFile, run.bytes)) {
    std::fprintf(stderr, "cannot write %s\n", runFile.string().c_str());
    return 1;
  }
  const double megabytes = static_cast<double>(run.bytes.size()) / (1 << 20);
  std::printf("run file: %.1f MB (page cache warm, best of %d)\n", megabytes, kRounds);

  const Timing read = Best([] {}, [&] { PlainRead(runFile); });
  Print("plain read", megabytes, read, read);

  // Each round writes into an empty folder, as after an upload.
  const auto emptyFolder = [&] {
    std::filesystem::remove_all(folder / "out");
    std::filesystem::create_directories(folder / "out");
  };
  Print("plain copy", megabytes, Best(emptyFolder, [&] { PlainCopy(runFile, folder / "out" / "copy"); }), read);

  ql::SilentOperator quiet;
  ql::ExtractionMemory memory;
  uint64_t records = 0;
  for (const int choice : {ql::kExtractArchive, ql::kExtractArchivePlusRaw}) {
    ql::ExtractionRequest request;
    request.runFile = runFile;
    request.outputFolder = folder / "out";
    request.choice = choice;
    const Timing extract = Best(emptyFolder, [&] { records = ql::ExtractRun(request, memory, quiet).records; });
    Print(choice == ql::kExtractArchive ? "extraction, ZR Archive" : "extraction, ZR Archive + raw files", megabytes,
          extract, read);
  }
  std::printf("%llu records; goal: extraction within %.0fx of the read\n", static_cast<unsigned long long>(records),
              kGoal);
  std::filesystem::remove_all(folder);
  return 0;
}
