#include "ExtractionReport.h"

#include <algorithm>

#include "common/Format.h"

namespace ql {
namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string Counted(long long count, const char* one, const char* many) {
  return Format("%lld %s", count, count == 1 ? one : many);
}

std::vector<std::string> DamageParts(const ExtractionReport& r) {
  std::vector<std::string> parts;
  if (r.skippedBytes > 0) {
    parts.push_back(Format("%s skipped in %s", Counted(static_cast<long long>(r.skippedBytes), "byte", "bytes").c_str(),
                           Counted(static_cast<long long>(r.skippedStretches), "place", "places").c_str()));
  }
  if (r.cutShortBytes > 0) {
    parts.push_back(Format("last record cut short (%llu bytes)", static_cast<unsigned long long>(r.cutShortBytes)));
  }
  if (r.readFailed) parts.push_back("read error before the end of the file");
  if (r.unknownTypes > 0) parts.push_back(Counted(r.unknownTypes, "record of unknown type", "records of unknown type"));
  if (r.shortRecords > 0) parts.push_back(Counted(r.shortRecords, "record too short", "records too short"));
  if (r.badArchiveRecords > 0) {
    parts.push_back(Counted(r.badArchiveRecords, "archive record of wrong length", "archive records of wrong length"));
  }
  if (r.extraSummaries > 0) parts.push_back(Counted(r.extraSummaries, "extra summary record", "extra summary records"));
  return parts;
}

std::string FailedParts(const std::vector<FailedOutput>& failed) {
  std::vector<std::string> parts;
  for (const FailedOutput& f : failed) parts.push_back(f.name + " (" + f.reason + ")");
  return Joined(parts);
}

}  // namespace

bool ExtractionReport::Damaged() const { return !DamageParts(*this).empty(); }

std::vector<std::string> ExtractionReport::Written() const {
  std::vector<std::string> whole;
  for (const std::string& name : created) {
    const bool failed = std::any_of(failedOutputs.begin(), failedOutputs.end(),
                                    [&name](const FailedOutput& f) { return f.name == name; });
    if (!failed) whole.push_back(name);
  }
  return whole;
}

std::string ExtractionReport::Describe() const {
  switch (outcome) {
    case Outcome::kBadName: return "failed: no run number in the name (name.xxx, where xxx=000-999)";
    case Outcome::kUnreadable: return "failed: cannot open the file: " + openFailure;
    case Outcome::kBadFirstHeader: return "failed: not a run file (the first record header is not valid)";
    case Outcome::kExtracted: break;
  }
  std::string text = partial ? "partial run (its upload did not finish): " : "";
  if (records == 0) {
    text += fileSize == 0 ? "failed: empty file" : "failed: no record could be read";
  } else {
    const std::vector<std::string> written = Written();
    text += Format("%s read, wrote ", Counted(static_cast<long long>(records), "record", "records").c_str());
    text += written.empty() ? "nothing" : Joined(written);
  }
  if (!failedOutputs.empty()) text += "; could not write " + FailedParts(failedOutputs);
  const std::vector<std::string> damage = DamageParts(*this);
  if (!damage.empty()) text += "; damaged: " + Joined(damage);
  return text;
}

}  // namespace ql
