#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ComPortMap.h"
#include "SerialDevice.h"

namespace ql {

class Operator;

// The host's 20 serial port slots. Slot 0 is the logger port, slots 1..8 the deck
// ports; 9..19 exist and are only ever closed. Nothing outside this class touches a
// device: callers address ports by slot number.
class PortTable {
 public:
  static constexpr int kSlots = 20;
  static constexpr int kLoggerSlot = 0;

  PortTable(SerialDeviceFactory factory, Operator& op);
  ~PortTable();

  void SetComPortMap(const ComPortMap& map) { map_ = map; }
  const ComPortMap& Map() const { return map_; }
  // Reads the mapping from `file` now and again before every open, so that a file
  // rewritten while the program runs (a logger back on a new terminal) is followed and
  // a device it no longer names is never opened. Lines it cannot use are shown in the
  // "COM Port Mapping" box, once for each different set of them.
  void SetComPortFile(std::filesystem::path file);

  void InitPortTable();
  void SetPortLine(int slot, int baud, int dataBits);
  // A failure to open is told in a box, unless `quietly` (a port tried again and again
  // while an adapter is out).
  void OpenPort(int slot, int com, bool quietly = false);
  void ClosePort(int slot);
  bool IsPortOpen(int slot) const;
  void WritePort(int slot, const uint8_t* bytes, int count);
  // Reads at most maxBytes without waiting; returns the count read (0 when closed).
  int ReadPort(int slot, uint8_t* buffer, int maxBytes);
  // Bytes the open slot's device holds that no read has taken yet.
  int BytesWaiting(int slot) const;
  // Bytes the slot's devices threw away unread since program start because the host
  // had fallen too far behind.
  uint32_t BytesLost(int slot) const;
  // Closes the slot and reopens it as the COM and line combos say. Returns 0 when the
  // slot is left closed, otherwise lineIndex.
  int ConfigurePort(int slot, int comIndex, int lineIndex, bool quietly = false);

  int OpenCom(int slot) const;
  int LineSetting(int slot) const;

 private:
  struct Slot {
    std::unique_ptr<SerialDevice> device;
    int openCom = 0;
    int lineSetting = 6;
    uint32_t bytesLost = 0;
  };

  Slot* At(int slot);
  const Slot* At(int slot) const;

  void ReadComPortFile();

  SerialDeviceFactory factory_;
  Operator& operator_;
  ComPortMap map_;
  std::filesystem::path mapFile_;  // empty: the map set stays
  std::vector<std::string> reportedProblems_;
  std::array<Slot, kSlots> slots_;
};

}  // namespace ql
