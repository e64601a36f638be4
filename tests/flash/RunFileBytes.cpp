#include "RunFileBytes.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <unistd.h>

#include "common/ByteOrder.h"

namespace ql::test {

Bytes RunRecord(int type, const Bytes& body) {
  Bytes record(4);
  PutU16LE(record.data(), static_cast<uint16_t>(body.size()));
  PutU16LE(record.data() + 2, static_cast<uint16_t>(type));
  record.insert(record.end(), body.begin(), body.end());
  return record;
}

Bytes RunRecord(int type, const std::string& body) { return RunRecord(type, Bytes(body.begin(), body.end())); }

Bytes TimedBody(uint32_t time, const std::string& data) {
  Bytes body(4);
  PutU32LE(body.data(), time);
  body.insert(body.end(), data.begin(), data.end());
  return body;
}

Bytes HeaderBody(uint8_t sender, uint8_t sequence, uint32_t time, bool seventhByte) {
  Bytes body = {sender, sequence, 0, 0, 0, 0};
  PutU32LE(body.data() + 2, time);
  if (seventhByte) body.push_back(0);
  return body;
}

Bytes ArchiveBytes(const ArchiveFields& f) {
  Bytes record(28);
  size_t total = 0;
  for (const std::string& s : f.sources) total += s.size();
  record[0] = 1;
  record[1] = f.timeUnit;
  record[2] = f.sender;
  record[3] = f.sequence;
  PutU16LE(&record[4], static_cast<uint16_t>(total));
  PutU32LE(&record[6], f.time);
  for (size_t k = 0; k < 9; ++k) PutU16LE(&record[10 + 2 * k], static_cast<uint16_t>(f.sources[k].size()));
  for (const std::string& s : f.sources) record.insert(record.end(), s.begin(), s.end());
  for (int k = 0; k < 4; ++k) record.push_back('#');
  return record;
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = info != nullptr ? std::string(info->test_suite_name()) + "_" + info->name() : "flash";
  path_ = std::filesystem::temp_directory_path() /
          ("ql9-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& name, const Bytes& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return file;
}

Bytes TempFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempFolder::ReadText(const std::string& name) const {
  const Bytes bytes = Read(name);
  return std::string(bytes.begin(), bytes.end());
}

bool TempFolder::Has(const std::string& name) const { return std::filesystem::exists(path_ / name); }

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace ql::test
