#include "RunExtraction.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "DebugLog.h"
#include "ExtractOutputs.h"
#include "RecordSlots.h"
#include "RunFileName.h"
#include "RunFileReader.h"
#include "RunRecordTypes.h"
#include "RunSummary.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "common/Operator.h"

namespace ql {
namespace {

constexpr int kFirstSender = 2;
constexpr uint32_t kTimeGroupSpan = 50;
constexpr int kArchiveHeaderSize = 28;
constexpr int kArchiveTrailerSize = 4;
constexpr int kPortSources = 9;
// Smallest bodies that hold the fields their record type is read for.
constexpr int kMinTimedBody = 4;
constexpr int kMinSenderIdBody = 2;
constexpr int kMinHeaderBody = 6;
constexpr int kHeaderBodyWithTimeUnit = 7;
// Debug log entries of bad headers in one stretch of noise.
constexpr uint64_t kLoggedPerStretch = 16;
// A time-grouped record that starts with CR LF " *" carries no data.
constexpr uint8_t kNoDataMark[4] = {'\r', '\n', ' ', '*'};

bool ValidHeader(int size, int type) {
  return size >= kRunMinBody && size <= kRunMaxBody && type >= 1 && type <= kRunRefusedType;
}

class Extraction {
 public:
  Extraction(const ExtractionRequest& request, const std::string& suffix, ExtractionMemory& memory, Operator& op,
             ExtractionReport& report)
      : request_(request),
        raw_(request.choice == kExtractArchivePlusRaw),
        memory_(memory),
        op_(op),
        report_(report),
        outputs_(request.outputFolder, suffix),
        log_(request.outputFolder, request.debugLog, request.emptyLogWhenOff) {}

  void Run(RunFileReader& reader);

 private:
  void ReadRecords(RunFileReader& reader);
  void Handle(int type, const uint8_t* body, int size);
  void HeaderGrouped(const RunRecordKind& kind, const uint8_t* body, int size);
  void Summary(const uint8_t* body, int size);
  void ArchiveRecord(const uint8_t* body, int size);
  void SplitArchiveRecord(const uint8_t* record, int dataLength);
  void ArchiveHeader(const uint8_t* body, int size);
  void TimeGrouped(const RunRecordKind& kind, const uint8_t* body, int size);
  void WriteHeaderGrouped();
  void WriteTimeGrouped();
  void WriteRecord(RecordSlots& slots, const RebuiltHeader& header);
  void Finish();

  const ExtractionRequest& request_;
  const bool raw_;
  ExtractionMemory& memory_;
  Operator& op_;
  ExtractionReport& report_;
  ExtractOutputs outputs_;
  DebugLog log_;

  uint8_t sender_ = kFirstSender;
  RecordSlots headerSlots_;
  uint8_t headerSequence_ = 0;
  uint32_t headerTime_ = 0;
  RecordSlots timeSlots_;
  std::optional<uint32_t> groupStart_;
  bool summaryWritten_ = false;
  std::array<uint8_t, kRunMaxBody> scratch_{};
};

void Extraction::Run(RunFileReader& reader) {
  report_.fileSize = reader.Size();
  if (request_.progress) reader.onRefill = [&](uint64_t done) { request_.progress(done, reader.Size()); };
  ReadRecords(reader);
  report_.readFailed = reader.ReadFailed();
  Finish();
}

// The reader stands on a header at each turn: a good one is consumed with its body and
// handled; a bad one at the very start refuses the run; a bad one later is stepped over
// by one byte, so the reader slides forward until a header makes sense again.
void Extraction::ReadRecords(RunFileReader& reader) {
  uint64_t stretch = 0;  // bytes stepped over since the last good header
  for (;;) {
    size_t available = 0;
    const uint8_t* header = reader.Peek(kRunHeaderSize, available);
    if (available < kRunHeaderSize) {
      if (stretch > 0) {
        report_.skippedBytes += available;
        log_.Skipped(stretch + available);
      } else {
        report_.cutShortBytes += available;
      }
      return;
    }
    const int size = GetI16LE(header);
    const int type = GetI16LE(header + 2);
    const bool valid = ValidHeader(size, type);
    if (valid && stretch > 0) {
      log_.Skipped(stretch);
      stretch = 0;
    }
    // A long stretch of noise would fill the disk with entries: its first few are enough.
    const bool logged = stretch < kLoggedPerStretch;
    if (logged) log_.Header(type, size);
    if (!valid) {
      if (reader.Position() == 0) {
        op_.Warning("Run File Error", "Unable to Process the Run");
        report_.outcome = ExtractionReport::Outcome::kBadFirstHeader;
        return;
      }
      if (logged && type == kRunArchiveRecord) log_.EndLine();
      if (stretch++ == 0) ++report_.skippedStretches;
      ++report_.skippedBytes;
      reader.Consume(1);
      continue;
    }
    reader.Consume(kRunHeaderSize);
    const uint8_t* body = reader.Peek(static_cast<size_t>(size), available);
    if (available < static_cast<size_t>(size)) {
      if (type == kRunArchiveRecord) log_.EndLine();
      report_.cutShortBytes += kRunHeaderSize + available;
      reader.Consume(available);
      return;
    }
    Handle(type, body, size);
    reader.Consume(static_cast<size_t>(size));
    ++report_.records;
  }
}

void Extraction::Handle(int type, const uint8_t* body, int size) {
  const RunRecordKind& kind = RunRecordKindOf(type);
  if (kind.opensArchive) outputs_.Open(kOutArchive);
  switch (kind.handling) {
    case RunHandling::kHeaderGrouped: HeaderGrouped(kind, body, size); break;
    case RunHandling::kTimeStamp:
      if (raw_) outputs_.Append(kOutTimeStamp, body, static_cast<size_t>(size));
      break;
    case RunHandling::kBattery: outputs_.Append(kOutBattery, body, static_cast<size_t>(size)); break;
    case RunHandling::kSummary: Summary(body, size); break;
    case RunHandling::kArchiveRecord: ArchiveRecord(body, size); break;
    case RunHandling::kSenderId:
      if (size < kMinSenderIdBody) {
        ++report_.shortRecords;
        break;
      }
      sender_ = body[1];
      break;
    case RunHandling::kArchiveHeader: ArchiveHeader(body, size); break;
    case RunHandling::kTimeGrouped: TimeGrouped(kind, body, size); break;
    case RunHandling::kRefused:
      // One box per run file: a damaged file can hold thousands of these, and each box
      // would wait for the operator.
      if (report_.unknownTypes++ == 0) op_.Warning(Format("Unknown Type:  %d %02x", type, type), "Record Not Saved");
      break;
  }
}

// A port's raw file gets every record; its slot keeps only the last one since the last
// header, which is what the logger would have sent as that port's part of the packet.
void Extraction::HeaderGrouped(const RunRecordKind& kind, const uint8_t* body, int size) {
  const auto count = static_cast<size_t>(size);
  if (raw_) outputs_.Append(kind.output, body, count);
  if (!outputs_.IsOpen(kOutArchive) || !outputs_.IsOpen(kind.output)) return;
  headerSlots_.ClearSlot(kind.slot);
  if (!headerSlots_.Fits(count)) WriteHeaderGrouped();
  headerSlots_.Put(kind.slot, body, count);
}

// The first summary of a run is its summary; the file is written once per extraction.
void Extraction::Summary(const uint8_t* body, int size) {
  if (summaryWritten_) {
    ++report_.extraSummaries;
    return;
  }
  if (size < static_cast<int>(RunSummaryRecord::kSize)) {
    ++report_.shortRecords;
    return;
  }
  summaryWritten_ = true;
  report_.summary = DecodeRunSummary(body);
  WriteRunSummary(body, outputs_, op_);
}

// The logger's own archive record with its header big-endian: turned to the archive
// file's little-endian form it is byte for byte what live recording writes. A body
// longer than its record keeps the record; only the bytes after it are skipped. A body
// too short for its data length would break every record after it in the archive, so
// it is left out.
void Extraction::ArchiveRecord(const uint8_t* body, int size) {
  if (size < kArchiveHeaderSize) {
    log_.EndLine();
    ++report_.badArchiveRecords;
    return;
  }
  uint8_t* record = scratch_.data();
  std::memcpy(record, body, static_cast<size_t>(size));
  Swap16(record + 4);
  for (int k = 0; k < kPortSources; ++k) Swap16(record + 10 + 2 * k);
  Swap32(record + 6);
  const int dataLength = GetI16LE(record + 4);
  const int32_t time = GetI32LE(record + 6);
  log_.ArchiveTime(time, memory_.previousArchiveTime);
  memory_.previousArchiveTime = time;
  const int recordSize = dataLength + kArchiveHeaderSize + kArchiveTrailerSize;
  if (dataLength < 0 || recordSize > size) {
    ++report_.badArchiveRecords;
    return;
  }
  if (recordSize < size) log_.ExtraBytes(size - recordSize);
  outputs_.Append(kOutArchive, record, static_cast<size_t>(recordSize));
  if (raw_) SplitArchiveRecord(record, dataLength);
}

// Only a record whose counts add up to its data length is split into the port files.
void Extraction::SplitArchiveRecord(const uint8_t* record, int dataLength) {
  std::array<int, kPortSources> counts{};
  int sum = 0;
  for (int k = 0; k < kPortSources; ++k) {
    counts[static_cast<size_t>(k)] = GetI16LE(record + 10 + 2 * k);
    if (counts[static_cast<size_t>(k)] < 0) return;
    sum += counts[static_cast<size_t>(k)];
  }
  if (sum != dataLength) return;
  const uint8_t* data = record + kArchiveHeaderSize;
  for (int k = 0; k < kPortSources; ++k) {
    const auto count = static_cast<size_t>(counts[static_cast<size_t>(k)]);
    // A port with nothing in this record does not need its file.
    if (count > 0) outputs_.Append(k < 8 ? kOutPort1 + k : kOutAnalog, data, count);
    data += count;
  }
}

// A header closes the record gathered under the one before, even when it is too short to
// read: the port data gathered so far must not be overwritten by what follows it.
void Extraction::ArchiveHeader(const uint8_t* body, int size) {
  WriteHeaderGrouped();
  if (size < kMinHeaderBody) {
    ++report_.shortRecords;
    return;
  }
  sender_ = body[0];
  headerSequence_ = body[1];
  memory_.lastHeaderTimeUnit = size == kHeaderBodyWithTimeUnit ? 1 : 0;
  headerTime_ = GetU32LE(body + 2);
}

// Port data stamped with a time are gathered for 50 time units into one record. Times
// are compared modulo 2^32, so a clock that steps back starts a new record too.
void Extraction::TimeGrouped(const RunRecordKind& kind, const uint8_t* body, int size) {
  if (size < kMinTimedBody) {
    ++report_.shortRecords;
    return;
  }
  if (std::memcmp(body, kNoDataMark, sizeof kNoDataMark) == 0) return;
  const uint32_t t = GetU32LE(body);
  if (!groupStart_) groupStart_ = t;
  if (t - *groupStart_ >= kTimeGroupSpan && !timeSlots_.Empty()) {
    WriteTimeGrouped();
    groupStart_ = t;
  }
  const auto count = static_cast<size_t>(size - kMinTimedBody);
  if (kind.slot < 0 || count == 0) return;
  if (!timeSlots_.Fits(count)) WriteTimeGrouped();
  timeSlots_.Append(kind.slot, body + kMinTimedBody, count);
}

void Extraction::WriteHeaderGrouped() {
  WriteRecord(headerSlots_, {memory_.lastHeaderTimeUnit, sender_, headerSequence_, headerTime_});
}

void Extraction::WriteTimeGrouped() {
  if (timeSlots_.Empty()) return;
  WriteRecord(timeSlots_, {0, sender_, memory_.timeGroupSequence++, groupStart_.value_or(0)});
}

void Extraction::WriteRecord(RecordSlots& slots, const RebuiltHeader& header) {
  const std::vector<uint8_t>& record = slots.Take(header);
  outputs_.Append(kOutArchive, record.data(), record.size());
}

void Extraction::Finish() {
  if (outputs_.IsOpen(kOutArchive)) {
    WriteHeaderGrouped();
    WriteTimeGrouped();
  }
  log_.Close();
  outputs_.CloseAll();
  report_.created = outputs_.Created();
  report_.failedOutputs = outputs_.Failed();
}

// Every output that could not be written whole is named once, after the run, with the
// system's reason; only a summary that could not even be created has had its own box.
void ReportFailedOutputs(const ExtractionReport& report, const std::string& summaryName, Operator& op) {
  std::string names;
  for (const FailedOutput& failed : report.failedOutputs) {
    const bool created = std::find(report.created.begin(), report.created.end(), failed.name) != report.created.end();
    if (failed.name == summaryName && !created) continue;
    names += (names.empty() ? "" : ", ") + failed.name + " (" + failed.reason + ")";
  }
  if (!names.empty()) op.Warning("File Extraction Error", Format("Unable to write %s", names.c_str()));
}

// A run whose upload did not finish is extracted as far as it goes, and called partial.
void ReportPartialRun(const ExtractionReport& report, const std::filesystem::path& runFile, Operator& op) {
  if (!report.partial || report.outcome != ExtractionReport::Outcome::kExtracted) return;
  op.Warning(Format("Run.%s - Partial Run", report.suffix.c_str()),
             Format("%s holds only the part of run %s that came before its upload stopped; the files extracted from "
                    "it hold only that part.",
                    PathText(runFile.filename()).c_str(), report.suffix.c_str()));
}

}  // namespace

ExtractionReport ExtractRun(const ExtractionRequest& request, ExtractionMemory& memory, Operator& op) {
  ExtractionReport report;
  const std::optional<std::string> suffix = RunNumberSuffix(request.runFile);
  if (!suffix) {
    op.Warning(Format("Unusable File Name '%s", PathText(request.runFile).c_str()),
               "Extraction Requires name.xxx, where xxx=000-999");
    report.outcome = ExtractionReport::Outcome::kBadName;
    return report;
  }
  report.suffix = *suffix;
  report.partial = IsPartialRunFile(request.runFile);
  RunFileReader reader(request.runFile);
  if (!reader.IsOpen()) {
    report.outcome = ExtractionReport::Outcome::kUnreadable;
    report.openFailure = reader.Reason();
    return report;
  }
  Extraction extraction(request, *suffix, memory, op, report);
  extraction.Run(reader);
  ReportFailedOutputs(report, RunOutputName("Summary", *suffix), op);
  ReportPartialRun(report, request.runFile, op);
  return report;
}

ExtractionReport ExtractRunBeside(const std::filesystem::path& runFile, int choice, bool debugLog,
                                  ExtractionMemory& memory, Operator& op) {
  ExtractionRequest request;
  request.runFile = runFile;
  request.outputFolder = runFile.has_parent_path() ? runFile.parent_path() : std::filesystem::path(".");
  request.choice = choice;
  request.debugLog = debugLog;
  return ExtractRun(request, memory, op);
}

}  // namespace ql
