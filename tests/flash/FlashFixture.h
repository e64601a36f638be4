#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "flash/FlashState.h"
#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql::test {

// One command frame as the logger would read it.
struct SentFrame {
  uint16_t code;
  uint32_t argA;
  uint16_t argB;
  bool operator==(const SentFrame&) const = default;
};

inline void PrintTo(const SentFrame& f, std::ostream* os) {
  *os << std::hex << "{0x" << f.code << ", " << std::dec << f.argA << ", " << f.argB << "}";
}

// The flash state of one host over an in-memory logger port, with a fresh folder for
// the run files.
struct FlashFixture : ::testing::Test {
  std::shared_ptr<MemoryWire> wire = std::make_shared<MemoryWire>();
  FakeOperator person;
  PortTable ports{MemoryFactory(wire), person};
  CommandSender sender{ports};
  FlashState flash{sender, person};
  std::filesystem::path folder;

  void SetUp() override {
    ports.InitPortTable();
    ports.ConfigurePort(PortTable::kLoggerSlot, 1, 6);
    folder = std::filesystem::temp_directory_path() /
             ("ql9flash-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  // A test may end with an upload still holding its run file open, which Windows keeps
  // from being removed; the next start of that test clears it.
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }

  std::vector<SentFrame> Sent() {
    const std::vector<uint8_t> bytes = wire->TakeFromHost();
    std::vector<SentFrame> frames;
    for (size_t at = 0; at + 12 <= bytes.size(); at += 12) {
      frames.push_back({GetU16LE(&bytes[at + 2]), GetU32LE(&bytes[at + 4]), GetU16LE(&bytes[at + 8])});
    }
    EXPECT_EQ(bytes.size() % 12, 0u);
    return frames;
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (const auto& b : person.boxes) out.push_back(b.caption + " / " + b.text);
    return out;
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

// A directory packet (type 5) as the logger sends it.
struct DirectoryFields {
  int16_t run = 1;
  int16_t mode = 0;
  std::array<int16_t, 9> device{};
  std::array<int16_t, 8> analog{};
  std::array<int16_t, 4> pumps{};
  int32_t start = 1'765'000'000;
  uint32_t size = 1000;
  int16_t startMv = 12480;
  int16_t endMv = 11900;
};
std::vector<uint8_t> DirectoryPacket(const DirectoryFields& f);

// An upload block (type 4) with its data count and data.
std::vector<uint8_t> UploadBlock(uint16_t block, const std::string& data, std::optional<int> count = {});

}  // namespace ql::test
