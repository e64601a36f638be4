// Feeds arbitrary directory packets and upload blocks to the host's handlers: the first
// input byte picks the kind of each packet, the next bytes fill it. Neither may read
// outside a packet, write past the run directory, or write a block's bytes beyond what
// the block holds.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "common/SilentOperator.h"
#include "flash/FlashState.h"
#include "flash/LoggerDirectory.h"
#include "flash/RunUpload.h"
#include "serial/CommandSender.h"
#include "serial/PortTable.h"

namespace {

class NullDevice : public ql::SerialDevice {
 public:
  bool Open(const std::string&) override { return true; }
  void ApplyLine(const ql::LineParams&) override {}
  int Read(uint8_t*, int) override { return 0; }
  void Write(const uint8_t*, int) override {}
  bool Close() override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ql::SilentOperator person;
  static ql::PortTable ports([] { return std::make_unique<NullDevice>(); }, person);
  static ql::CommandSender sender(ports);
  static const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ql9-flash-fuzz";
  std::filesystem::create_directories(folder);

  ql::FlashState flash(sender, person);
  flash.page.extractFiles = 0;
  // A directory of a few runs and one upload under way, so that blocks are taken.
  std::array<uint8_t, 64> entry{};
  entry[2] = 1;
  entry[52] = 0xFF;
  ql::HandleDirectoryEntry(flash, entry.data());
  ql::BTUploadClick(flash, {0}, [](const std::string& name) { return (folder / name).string(); });
  ql::DriveUploads(flash);

  size_t at = 0;
  int64_t blocks = 0;
  while (at < size) {
    const bool block = data[at++] & 1;
    std::array<uint8_t, 1036> packet{};
    const size_t length = block ? packet.size() : 64;
    const size_t n = std::min(length, size - at);
    std::copy_n(data + at, n, packet.begin());
    at += n;
    if (block) {
      ++blocks;
      ql::HandleUploadBlock(flash, packet.data());
    } else {
      ql::HandleDirectoryEntry(flash, packet.data());
    }
    if (flash.directory.entryCount > ql::RunDirectory::kEntries) __builtin_trap();
    if (flash.upload.bytesReceived > blocks * ql::kMaxBlockData) __builtin_trap();
  }
  return 0;
}
