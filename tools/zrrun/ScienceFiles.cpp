#include "ScienceFiles.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "flash/RunFileName.h"
#include "science/ScienceExport.h"

namespace zrrun {
namespace {

ql::ScienceRequest RequestFor(const Options& options, const std::filesystem::path& input) {
  ql::ScienceRequest request;
  request.outputFolder = options.outFolder;
  request.datasetName = input.filename().string();
  request.csv = options.csv;
  request.netcdf = options.netcdf;
  request.program = "zrrun " QL_VERSION;
  request.dateCreated = ql::RecordTime{static_cast<int64_t>(std::time(nullptr)), 0}.Iso();
  return request;
}

bool Print(const std::string& input, const ql::ScienceReport& report) {
  std::printf("%s: %s\n", input.c_str(), report.Describe().c_str());
  std::fflush(stdout);
  return !report.Failed() && !report.Damaged();
}

bool Created(const ql::ExtractionReport& report, const std::string& name) {
  return std::find(report.created.begin(), report.created.end(), name) != report.created.end();
}

}  // namespace

bool WriteRunScienceFiles(const Options& options, const std::string& runFile, const ql::ExtractionReport& report) {
  if (report.Failed()) return true;  // the extraction's own line has said why
  const std::string archive = ql::RunOutputName("archive", report.suffix);
  if (!Created(report, archive)) {
    std::printf("%s: no science files: the run holds no data records\n", runFile.c_str());
    return true;
  }
  ql::ScienceRequest request = RequestFor(options, runFile);
  request.archive = std::filesystem::path(options.outFolder) / archive;
  const std::string battery = ql::RunOutputName("Battery", report.suffix);
  if (Created(report, battery)) request.battery = std::filesystem::path(options.outFolder) / battery;
  request.summary = report.summary;
  request.tag = report.suffix;
  return Print(runFile, ql::ExportScience(request));
}

bool WriteArchiveScienceFiles(const Options& options, const std::string& archiveFile) {
  const std::filesystem::path path(archiveFile);
  ql::ScienceRequest request = RequestFor(options, path);
  request.archive = path;
  const std::string stem = path.stem().string();
  const std::optional<std::string> suffix = ql::RunNumberSuffix(path);
  request.tag = stem == "archive" && suffix ? *suffix : path.filename().string();
  return Print(archiveFile, ql::ExportScience(request));
}

}  // namespace zrrun
