#include "RunRecordTypes.h"

#include <array>
#include <cstddef>

namespace ql {
namespace {

using H = RunHandling;

// Indexed by record type; row 0 stands for every type outside the table.
constexpr std::array<RunRecordKind, 26> kKinds = {{
    {nullptr, H::kRefused, kOutNone, -1, false},
    {"METER1 Size %d", H::kHeaderGrouped, kOutPort1 + 0, 0, false},
    {"METER2 Size %d", H::kHeaderGrouped, kOutPort1 + 1, 1, false},
    {"METER3 Size %d", H::kHeaderGrouped, kOutPort1 + 2, 2, false},
    {"METER4 Size %d", H::kHeaderGrouped, kOutPort1 + 3, 3, false},
    {"ARCHIVEMUX 1 Size %d", H::kTimeGrouped, kOutNone, 0, true},
    {"ARCHIVEMUX 2 Size %d", H::kTimeGrouped, kOutNone, 1, true},
    {"ARCHIVEMUX 3 Size %d", H::kTimeGrouped, kOutNone, 2, true},
    {"ARCHIVEMUX 4 Size %d", H::kTimeGrouped, kOutNone, 3, true},
    {"BATTERY Size %d", H::kBattery, kOutBattery, -1, false},
    {"TIME STAMP Size %d", H::kTimeStamp, kOutTimeStamp, -1, false},
    {"Summary Size %d", H::kSummary, kOutSummary, -1, false},
    {"ANALOG  Size %d", H::kHeaderGrouped, kOutAnalog, 8, false},
    {"ANALOG Size %d", H::kTimeGrouped, kOutNone, 8, true},
    {"ARCHIVETime Size %d", H::kTimeGrouped, kOutNone, -1, true},
    {"METER5 Size %d", H::kHeaderGrouped, kOutPort1 + 4, 4, false},
    {"METER6 Size %d", H::kHeaderGrouped, kOutPort1 + 5, 5, false},
    {"METER7 Size %d", H::kHeaderGrouped, kOutPort1 + 6, 6, false},
    {"METER8 Size %d", H::kHeaderGrouped, kOutPort1 + 7, 7, false},
    {"ARCHIVEMUX 5 Size %d", H::kTimeGrouped, kOutNone, 4, true},
    {"ARCHIVEMUX 6 Size %d", H::kTimeGrouped, kOutNone, 5, true},
    {"ARCHIVEMUX 7 Size %d", H::kTimeGrouped, kOutNone, 6, true},
    {"ARCHIVEMUX 8 Size %d", H::kTimeGrouped, kOutNone, 7, true},
    {"ARCHIVE QLMUX Size %d ", H::kArchiveRecord, kOutArchive, -1, true},
    {"Sender Unit ID Size %d", H::kSenderId, kOutNone, -1, true},
    {"ARCHIVE HEADER Size %d", H::kArchiveHeader, kOutNone, -1, true},
}};

}  // namespace

const RunRecordKind& RunRecordKindOf(int type) {
  if (type < 1 || type > kRunMaxType) return kKinds[0];
  return kKinds[static_cast<size_t>(type)];
}

}  // namespace ql
