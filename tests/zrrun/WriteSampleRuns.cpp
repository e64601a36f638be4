// write_sample_runs FOLDER: writes the run files one extraction by each build of zrrun
// is compared on: run.001 a profile, run.002 a moored run with every port and analog
// channel, run.003 a polled moored run with junk between its records and its last
// record cut short.

#include <cstdio>
#include <filesystem>

#include "common/Format.h"
#include "loggersim/RunFileBuilder.h"

namespace {

bool Write(const std::filesystem::path& folder, int run, ql::sim::Bytes bytes) {
  const std::filesystem::path file = folder / ql::Format("run.%03d", run);
  if (ql::sim::WriteFileBytes(file, bytes)) return true;
  std::fprintf(stderr, "write_sample_runs: cannot write %s\n", file.string().c_str());
  return false;
}

ql::sim::Bytes Damaged(ql::sim::Bytes bytes) {
  const ql::sim::Bytes junk = {0xFF, 0xFF, 0x00, 0x7F, 0xFF};
  bytes.insert(bytes.begin() + static_cast<long>(bytes.size() / 2), junk.begin(), junk.end());
  bytes.resize(bytes.size() - 7);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: write_sample_runs FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const ql::sim::SampleRun profile = ql::sim::BuildSampleRun({.runNumber = 1, .mode = 0});
  const ql::sim::SampleRun moored = ql::sim::BuildSampleRun(
      {.runNumber = 2, .mode = 1, .samples = 400, .activePorts = 8, .analogChannels = 7, .seed = 7});
  const ql::sim::SampleRun polled = ql::sim::BuildSampleRun({.runNumber = 3, .mode = 12, .samples = 60, .seed = 3});
  const bool written = Write(folder, 1, profile.bytes) && Write(folder, 2, moored.bytes) &&
                       Write(folder, 3, Damaged(polled.bytes));
  return written ? 0 : 1;
}
