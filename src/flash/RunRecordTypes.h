#pragma once

#include <cstdint>

namespace ql {

// A run file is the logger's own record stream: a 4-byte header (body size, record
// type, both 16-bit little-endian) and the body, back to back, no file header.
inline constexpr int kRunHeaderSize = 4;
inline constexpr int kRunMinBody = 1;
inline constexpr int kRunMaxBody = 2080;
inline constexpr int kRunMaxType = 25;
// The reader lets this one past its range check and then refuses it by name.
inline constexpr int kRunRefusedType = 26;

enum RunRecordType : int {
  kRunMeter1 = 1,  // 1..4: data of ports 1..4
  kRunArchiveMux1 = 5,  // 5..8: time, then data of ports 1..4
  kRunBattery = 9,
  kRunTimeStamp = 10,
  kRunSummary = 11,
  kRunAnalog = 12,
  kRunAnalogTimed = 13,
  kRunArchiveTime = 14,
  kRunMeter5 = 15,  // 15..18: data of ports 5..8
  kRunArchiveMux5 = 19,  // 19..22: time, then data of ports 5..8
  kRunArchiveRecord = 23,
  kRunSenderId = 24,
  kRunArchiveHeader = 25,
};

// The output files of an extraction, in the order the working state lists them.
enum RunOutput : int {
  kOutPort1 = 0,  // kOutPort1 + k is the file of port k + 1
  kOutAnalog = 8,
  kOutArchive,
  kOutBattery,
  kOutTimeStamp,
  kOutSummary,
  kOutCount,
  kOutNone = -1,
};

// What the extraction does with each record type.
enum class RunHandling {
  kRefused,       // outside the table: "Unknown Type"
  kHeaderGrouped, // raw file, and the slot of the record rebuilt at the next header
  kTimeGrouped,   // the slot of the record rebuilt every 50 time units
  kBattery,
  kTimeStamp,
  kSummary,
  kArchiveRecord,
  kSenderId,
  kArchiveHeader,
};

struct RunRecordKind {
  const char* label;    // debug log label, takes the body size
  RunHandling handling;
  int output;           // raw file of the record, kOutNone if it has none
  int slot;             // archive slot 0..8 of its data, -1 if none
  bool opensArchive;    // the first record of this kind creates "archive.xxx"
};

// The row of type t; types outside 1..25 give the refused row (label nullptr).
const RunRecordKind& RunRecordKindOf(int type);

}  // namespace ql
