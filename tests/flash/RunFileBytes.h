#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/Packets.h"

namespace ql::test {

// Run files and the archive records expected from them, written here straight from the
// record tables (the reading side is the code under test).

// One run record: body size and type, both 16-bit little-endian, then the body.
Bytes RunRecord(int type, const Bytes& body);
Bytes RunRecord(int type, const std::string& body);

// Body of an ARCHIVEMUX / timed ANALOG / ARCHIVETime record: u32 LE time, then data.
Bytes TimedBody(uint32_t time, const std::string& data = "");

// Body of an ARCHIVE HEADER record: sender, sequence, u32 LE time, the optional 7th byte.
Bytes HeaderBody(uint8_t sender, uint8_t sequence, uint32_t time, bool seventhByte = false);

// An archive record as the host writes it: format 1, header little-endian, the nine
// sources' data in order, "####".
struct ArchiveFields {
  uint8_t timeUnit = 0;
  uint8_t sender = 2;
  uint8_t sequence = 0;
  uint32_t time = 0;
  std::array<std::string, 9> sources{};
};
Bytes ArchiveBytes(const ArchiveFields& fields);

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path Write(const std::string& name, const Bytes& bytes) const;
  Bytes Read(const std::string& name) const;
  std::string ReadText(const std::string& name) const;
  bool Has(const std::string& name) const;
  // Every file name in the folder, sorted.
  std::vector<std::string> Names() const;

 private:
  std::filesystem::path path_;
};

}  // namespace ql::test
