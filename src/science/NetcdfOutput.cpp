#include "NetcdfOutput.h"

#include <netcdf.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <system_error>

#include "SourceNames.h"
#include "common/Format.h"

namespace ql {
namespace {

constexpr double kNoNumber = NAN;
constexpr int16_t kNoStamp = -1;
constexpr int kAnalogFlag = 10;
constexpr int kBatteryFlag = 11;
const char* const kFlagMeanings = "port1 port2 port3 port4 port5 port6 port7 port8 port9 analog battery";
// A variable's chunk cache holds the one block being written: the library's default of
// 16 MB per variable, times a hundred and more mostly empty number columns, kept most of
// a long run's file in memory until it was closed. A string cell takes 16 bytes in its
// chunk (its place in the file's heap), a double 8.
constexpr size_t kChunkCacheBytes = NetcdfOutput::kBlock * 16;
constexpr size_t kChunkCacheSlots = 7;
constexpr float kChunkCachePreemption = 1.0f;
// A new chunk of strings is first filled with empty strings, each its own object in the
// file's heap, and every one is removed again as the block's cells replace it; removing
// costs more the more objects share a heap collection, so string chunks stay small.
constexpr size_t kTextChunk = 256;

// Variable names keep letters, digits and '_'; an unnamed number "#2" becomes "number2".
std::string VariableName(const std::string& prefix, const std::string& name) {
  std::string safe = name;
  if (!safe.empty() && safe[0] == '#') safe = "number" + safe.substr(1);
  for (char& c : safe) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return prefix + "_" + safe;
}

}  // namespace

NetcdfOutput::NetcdfOutput(const std::filesystem::path& path, const SciencePlan& plan,
                           const DatasetAttributes& attributes)
    : path_(path) {
  textOf_.fill(-1);
  numbersOf_.fill(-1);
  // The library can word a missing folder as a permission problem; the system's own
  // reason is the one to show.
  errno = 0;
  const int created = nc_create((path.string() + ".part").c_str(), NC_NETCDF4 | NC_CLOBBER, &ncid_);
  if (created != NC_NOERR && errno != 0) error_ = std::strerror(errno);
  if (Ok(created)) Define(plan, attributes);
}

NetcdfOutput::~NetcdfOutput() {
  if (ncid_ >= 0) nc_close(ncid_);
}

bool NetcdfOutput::Ok(int status) {
  if (status != NC_NOERR && error_.empty()) error_ = nc_strerror(status);
  return error_.empty();
}

void NetcdfOutput::Define(const SciencePlan& plan, const DatasetAttributes& attributes) {
  if (!Ok(nc_def_dim(ncid_, "obs", NC_UNLIMITED, &obs_))) return;
  int station = -1;
  if (Ok(nc_def_var(ncid_, "station", NC_STRING, 0, nullptr, &station))) {
    Ok(nc_put_att_text(ncid_, station, "cf_role", 13, "timeseries_id"));
    Ok(nc_put_att_text(ncid_, station, "long_name", 17, "series identifier"));
  }
  DefineStamp();
  for (int k = 0; k < SciencePlan::kPorts + 1; ++k) {
    const SourcePlan& source = plan.Source(k);
    if (source.kind != SourceKind::kText && source.kind != SourceKind::kBinary) continue;
    const std::string prefix = SourceVariablePrefix(k);
    TextColumn column;
    const std::string name = prefix + "_" + SourceTextColumn(source.kind);
    const std::string longName =
        source.kind == SourceKind::kText ? Format("text lines of port %d", k + 1) : Format("bytes of port %d in hex", k + 1);
    if (!Ok(nc_def_var(ncid_, name.c_str(), NC_STRING, 1, &obs_, &column.var))) return;
    Chunk(column.var, kTextChunk);
    Ok(nc_put_att_text(ncid_, column.var, "long_name", longName.size(), longName.c_str()));
    Ok(nc_put_att_text(ncid_, column.var, "coordinates", 4, "time"));
    textOf_[static_cast<size_t>(k)] = static_cast<int>(texts_.size());
    texts_.push_back(std::move(column));
    if (!source.names.empty()) numbersOf_[static_cast<size_t>(k)] = static_cast<int>(numbers_.size());
    for (const std::string& number : source.names) {
      DefineNumber(VariableName(prefix, number), Format("%s of port %d", number.c_str(), k + 1), false);
    }
  }
  if (plan.AnalogChannels() > 0) analogOf_ = static_cast<int>(numbers_.size());
  for (int c = 1; c <= plan.AnalogChannels(); ++c) DefineNumber(Format("analog%d", c), Format("analog channel %d", c), true);
  if (plan.BatteryRows() > 0) batteryOf_ = DefineNumber("battery", "battery voltage", true);
  DefineGlobals(attributes);
  if (!Ok(nc_enddef(ncid_))) return;
  const char* id = attributes.station.c_str();
  Ok(nc_put_var_string(ncid_, station, &id));
}

// Numbers come in chunks of one block, so each block written fills a chunk of every
// number variable; the cache holds no more than one block of any variable.
void NetcdfOutput::Chunk(int var, size_t rows) {
  Ok(nc_def_var_chunking(ncid_, var, NC_CHUNKED, &rows));
  Ok(nc_set_var_chunk_cache(ncid_, var, kChunkCacheBytes, kChunkCacheSlots, kChunkCachePreemption));
}

void NetcdfOutput::DefineStamp() {
  const auto define = [&](const char* name, nc_type type, const std::string& longName, int& var) {
    if (!Ok(nc_def_var(ncid_, name, type, 1, &obs_, &var))) return;
    Chunk(var, kBlock);
    Ok(nc_put_att_text(ncid_, var, "long_name", longName.size(), longName.c_str()));
  };
  define("time", NC_DOUBLE, "time of the record on the logger's clock", timeVar_);
  Ok(nc_put_att_text(ncid_, timeVar_, "standard_name", 4, "time"));
  Ok(nc_put_att_text(ncid_, timeVar_, "units", 34, "seconds since 1970-01-01T00:00:00Z"));
  Ok(nc_put_att_text(ncid_, timeVar_, "calendar", 8, "standard"));
  Ok(nc_put_att_text(ncid_, timeVar_, "axis", 1, "T"));
  define("logger_id", NC_SHORT, "logger (sender) ID of the record", senderVar_);
  define("sequence", NC_SHORT, "sequence number of the record", sequenceVar_);
  for (const int var : {senderVar_, sequenceVar_}) {
    Ok(nc_def_var_fill(ncid_, var, NC_FILL, &kNoStamp));
    Ok(nc_put_att_text(ncid_, var, "coordinates", 4, "time"));
  }
  define("source", NC_BYTE, "source of the row", sourceVar_);
  const signed char flags[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, kAnalogFlag, kBatteryFlag};
  Ok(nc_put_att_schar(ncid_, sourceVar_, "flag_values", NC_BYTE, std::size(flags), flags));
  Ok(nc_put_att_text(ncid_, sourceVar_, "flag_meanings", std::char_traits<char>::length(kFlagMeanings), kFlagMeanings));
  Ok(nc_put_att_text(ncid_, sourceVar_, "coordinates", 4, "time"));
}

// A double along `obs`; the instruments' own numbers carry no units, since nothing says
// what they measure in.
int NetcdfOutput::DefineNumber(const std::string& name, const std::string& longName, bool volts) {
  NumberColumn column;
  if (!Ok(nc_def_var(ncid_, name.c_str(), NC_DOUBLE, 1, &obs_, &column.var))) return -1;
  Chunk(column.var, kBlock);
  // Each row holds the numbers of one port, so most of a number variable is fill: light
  // compression keeps a long run's file near the size of its data for a little time.
  Ok(nc_def_var_deflate(ncid_, column.var, 1, 1, 1));
  Ok(nc_def_var_fill(ncid_, column.var, NC_FILL, &kNoNumber));
  Ok(nc_put_att_text(ncid_, column.var, "long_name", longName.size(), longName.c_str()));
  if (volts) Ok(nc_put_att_text(ncid_, column.var, "units", 1, "V"));
  Ok(nc_put_att_text(ncid_, column.var, "coordinates", 4, "time"));
  numbers_.push_back(std::move(column));
  return static_cast<int>(numbers_.size()) - 1;
}

void NetcdfOutput::DefineGlobals(const DatasetAttributes& a) {
  const auto text = [&](const char* name, const std::string& value) {
    Ok(nc_put_att_text(ncid_, NC_GLOBAL, name, value.size(), value.c_str()));
  };
  const auto number = [&](const char* name, int value) { Ok(nc_put_att_int(ncid_, NC_GLOBAL, name, NC_INT, 1, &value)); };
  text("Conventions", "CF-1.10, ACDD-1.3");
  text("featureType", "timeSeries");
  text("cdm_data_type", "Station");
  text("title", a.title);
  text("summary", "Instrument data recorded by a QL-9 data logger, each row stamped with the time of its record "
                  "on the logger's clock");
  text("source", "QL-9 data logger");
  text("history", a.history);
  text("date_created", a.dateCreated);
  text("time_coverage_start", a.timeCoverageStart);
  text("time_coverage_end", a.timeCoverageEnd);
  if (!a.summary) return;
  number("logger_serial_number", a.summary->serialNumber);
  number("logger_unit_id", a.summary->unitId);
  number("run_number", a.summary->run);
  text("run_start_time", RecordTime{a.summary->startTime, 0}.Iso());
  text("logger_setup", RunSummaryText(*a.summary));
}

void NetcdfOutput::BeginRow(const RowStamp& stamp, int source) {
  time_.push_back(stamp.time.Seconds());
  sender_.push_back(static_cast<int16_t>(stamp.sender));
  sequence_.push_back(static_cast<int16_t>(stamp.sequence));
  source_.push_back(static_cast<int8_t>(source));
  for (NumberColumn& column : numbers_) column.cells.push_back(kNoNumber);
  for (TextColumn& column : texts_) column.cells.emplace_back();
  ++pending_;
}

void NetcdfOutput::Line(int source, const RowStamp& stamp, std::string_view text, const std::vector<double>* numbers) {
  if (!error_.empty()) return;
  BeginRow(stamp, source + 1);
  texts_[static_cast<size_t>(textOf_[static_cast<size_t>(source)])].cells.back() = text;
  const int first = numbersOf_[static_cast<size_t>(source)];
  if (numbers != nullptr && first >= 0) {
    for (size_t i = 0; i < numbers->size(); ++i) numbers_[static_cast<size_t>(first) + i].cells.back() = (*numbers)[i];
  }
  if (pending_ == kBlock) Flush();
}

void NetcdfOutput::Analog(const RowStamp& stamp, const std::vector<double>& volts) {
  if (!error_.empty()) return;
  BeginRow(stamp, kAnalogFlag);
  for (size_t c = 0; c < volts.size(); ++c) numbers_[static_cast<size_t>(analogOf_) + c].cells.back() = volts[c];
  if (pending_ == kBlock) Flush();
}

void NetcdfOutput::Battery(const RowStamp& stamp, double volts) {
  if (!error_.empty()) return;
  BeginRow(stamp, kBatteryFlag);
  numbers_[static_cast<size_t>(batteryOf_)].cells.back() = volts;
  if (pending_ == kBlock) Flush();
}

void NetcdfOutput::Flush() {
  if (pending_ == 0 || !error_.empty()) return;
  const size_t start = written_;
  const size_t count = pending_;
  Ok(nc_put_vara_double(ncid_, timeVar_, &start, &count, time_.data()));
  Ok(nc_put_vara_short(ncid_, senderVar_, &start, &count, sender_.data()));
  Ok(nc_put_vara_short(ncid_, sequenceVar_, &start, &count, sequence_.data()));
  Ok(nc_put_vara_schar(ncid_, sourceVar_, &start, &count, source_.data()));
  for (NumberColumn& column : numbers_) {
    Ok(nc_put_vara_double(ncid_, column.var, &start, &count, column.cells.data()));
    column.cells.clear();
  }
  std::vector<const char*> cells(count);
  for (TextColumn& column : texts_) {
    for (size_t i = 0; i < count; ++i) cells[i] = column.cells[i].c_str();
    Ok(nc_put_vara_string(ncid_, column.var, &start, &count, cells.data()));
    column.cells.clear();
  }
  time_.clear();
  sender_.clear();
  sequence_.clear();
  source_.clear();
  written_ += pending_;
  pending_ = 0;
}

void NetcdfOutput::Close(std::vector<std::string>& written, std::vector<FailedOutput>& failed) {
  const std::string name = path_.filename().string();
  Flush();
  if (ncid_ >= 0) Ok(nc_close(ncid_));
  ncid_ = -1;
  if (error_.empty()) {
    std::error_code error;
    std::filesystem::rename(path_.string() + ".part", path_, error);
    if (error) error_ = error.message();
  }
  if (error_.empty()) {
    written.push_back(name);
  } else {
    failed.push_back({name, error_});
  }
}

}  // namespace ql
