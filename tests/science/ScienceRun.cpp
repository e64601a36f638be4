#include "ScienceRun.h"

#include <fstream>
#include <sstream>

#include "common/SilentOperator.h"
#include "flash/RunExtraction.h"
#include "flash/RunFileName.h"

namespace ql::test {

ScienceReport ExtractWithScience(const TempFolder& folder, const std::string& runName, const Bytes& run) {
  const std::filesystem::path runFile = folder.Write(runName, run);
  SilentOperator quiet;
  ExtractionMemory memory;
  const ExtractionReport extraction = ExtractRunBeside(runFile, kExtractArchivePlusRaw, false, memory, quiet);
  ScienceRequest request;
  request.archive = folder.path() / RunOutputName("archive", extraction.suffix);
  if (folder.Has(RunOutputName("Battery", extraction.suffix))) {
    request.battery = folder.path() / RunOutputName("Battery", extraction.suffix);
  }
  request.summary = extraction.summary;
  request.outputFolder = folder.path();
  request.tag = extraction.suffix;
  request.datasetName = runName;
  request.csv = request.netcdf = true;
  request.program = "zrrun 7.06";
  request.dateCreated = "2026-12-09T07:00:00Z";
  return ExportScience(request);
}

std::vector<std::vector<std::string>> ReadCsv(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  std::vector<std::vector<std::string>> rows(1);
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.back().push_back(field);
      field.clear();
      rows.emplace_back();
      ++i;
    } else {
      field += c;
    }
  }
  rows.pop_back();  // after the last row's CR LF
  return rows;
}

std::string Millivolts(std::initializer_list<int> values) {
  std::string bytes;
  for (const int mv : values) {
    bytes.push_back(static_cast<char>((mv >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(mv & 0xFF));
  }
  return bytes;
}

}  // namespace ql::test
