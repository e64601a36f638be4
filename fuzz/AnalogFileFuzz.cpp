// Loads arbitrary bytes as an .alg file and shows them on the calibration page. The
// texts shown, sent again, must give the same record texts: what the page shows is
// what goes back to the logger.
#include <cstdlib>

#include "FuzzFile.h"
#include "setup/AnalogCalibration.h"
#include "setup/FactoryRecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ql::AnalogCalibrationBytes record{};
  const std::string file = WriteFuzzFile(data, size, ".alg");
  const bool loaded = ql::LoadRecordFile(file, record);
  if (loaded != (size >= record.size())) std::abort();
  const ql::AnalogControls shown = ql::ReadAnalogCalibration(record);
  ql::BuildAnalogCalibration(shown, record);
  const ql::AnalogControls again = ql::ReadAnalogCalibration(record);
  if (again.offset != shown.offset || again.scale != shown.scale) std::abort();
  // The bytes as typed into an edit: any text parses into the record's range.
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const int minimum : {ql::kOffsetMinimum, ql::kScaleMinimum}) {
    const int value = ql::ParseCalibrationEdit(text, minimum);
    if (value < minimum || value > ql::kCalibrationMaximum) std::abort();
  }
  return 0;
}
