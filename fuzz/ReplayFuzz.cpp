// Replays arbitrary bytes as an archive file, once and continuously, and checks that
// every packet handed to the receiver is whole, fits its buffer and carries a good
// checksum, and that a single replay always comes to its end.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "archive/ArchiveRecord.h"
#include "archive/Recording.h"
#include "common/ByteOrder.h"
#include "common/Operator.h"
#include "link/PacketFraming.h"

namespace {

class SilentOperator : public ql::Operator {
 public:
  void Warning(const std::string&, const std::string&) override {}
  void Notice(const std::string&, const std::string&) override {}
  Answer Ask(const Question&) override { return Answer::Ok; }
};

const std::string& ArchiveName() {
  static const std::string name = "/tmp/ql9-replay-fuzz-" + std::to_string(getpid()) + ".arc";
  return name;
}

void CheckPacket(const uint8_t* buffer, int n) {
  if (n < ql::kDataEnvelope || n > ql::kRxBufferSize) std::abort();
  if (buffer[0] != 8 || buffer[1] != 8) std::abort();
  if (ql::GetI16BE(buffer + 2 + ql::archive::kDataLength) + ql::kDataEnvelope != n) std::abort();
  if (!ql::PacketChecksumOk(buffer, n)) std::abort();
}

void Replay(int state, size_t size) {
  SilentOperator person;
  ql::Recording rec(person);
  rec.replay.speed = 10;
  if (!rec.StartReplay(state, ArchiveName(), 0)) std::abort();
  static uint8_t buffer[ql::kRxBufferSize];
  // A single replay delivers at most one packet per 32 bytes of file before it ends.
  const size_t calls = 2 * (size / ql::archive::kEnvelope + 2);
  for (size_t i = 0; i < calls && !rec.replay.stopRequest; ++i) {
    const int n = rec.ReadReplayPacket(buffer, ql::kRxBufferSize);
    if (n > 0) CheckPacket(buffer, n);
    if (rec.byteCounter < 0 || rec.byteCounter > static_cast<int64_t>(size)) std::abort();
  }
  if (state == ql::kReplayArchive && !rec.replay.stopRequest) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(ArchiveName().c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  Replay(ql::kReplayArchive, size);
  Replay(ql::kReplayContinuous, size);
  return 0;
}
