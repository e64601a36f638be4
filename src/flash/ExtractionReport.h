#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RunSummary.h"
#include "common/FailedOutput.h"

namespace ql {

// What one extraction did with a run file: the files it wrote and every kind of damage
// it met on the way. The window keeps its usual boxes; the batch program prints this.
struct ExtractionReport {
  enum class Outcome {
    kExtracted,       // the run was read to its end
    kBadName,         // no run number in the file name
    kUnreadable,      // the file could not be opened
    kBadFirstHeader,  // "Run File Error": not a run file
  };

  Outcome outcome = Outcome::kExtracted;
  std::string suffix;  // run number as the outputs carry it ("007")
  bool partial = false;     // a run.xxx.part file: an upload that did not finish
  std::string openFailure;  // why the run file could not be opened
  uint64_t fileSize = 0;
  uint64_t records = 0;  // records read whole and handled
  std::vector<std::string> created;  // output files, in the order they were created
  std::vector<FailedOutput> failedOutputs;  // could not be created or written whole
  std::optional<RunSummaryRecord> summary;  // the run's first summary record

  // Damage met on the way.
  uint64_t skippedBytes = 0;   // stepped over byte by byte to find the next good header
  uint64_t skippedStretches = 0;
  uint64_t cutShortBytes = 0;  // an unfinished last record or header at the end
  bool readFailed = false;     // the file stopped giving bytes before its end
  int unknownTypes = 0;        // type 26 records, refused
  int shortRecords = 0;        // too short for the fields their type needs
  int badArchiveRecords = 0;   // type 23 records too short for their header or data length
  int extraSummaries = 0;      // summary records after the first

  bool Failed() const { return outcome != Outcome::kExtracted || records == 0; }
  // Damage of the run file itself; outputs that could not be written are not.
  bool Damaged() const;
  // Every output written whole from a whole, undamaged run file.
  bool Whole() const { return !Failed() && !Damaged() && !partial && failedOutputs.empty(); }
  // The outputs created and written whole, in the order they were created.
  std::vector<std::string> Written() const;

  // One line of text: what was written, what could not be and why, or why nothing was,
  // and the damage.
  std::string Describe() const;
};

}  // namespace ql
