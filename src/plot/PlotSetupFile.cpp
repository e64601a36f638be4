#include "PlotSetupFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace ql {

std::string StorePlotSetup(const PlotState& plot, const std::filesystem::path& file) {
  // Written beside the old file and renamed over it, so a failed write leaves it whole.
  const std::filesystem::path temporary = file.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const std::string text = plot.SetupText();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return "Could not write " + file.string();
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return "Could not write " + file.string();
  }
  return {};
}

std::string LoadPlotSetup(PlotState& plot, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "Could not open " + file.string();
  std::string text;
  // A plot setup is a few lines; anything much larger is not one.
  constexpr size_t kLargest = 64 * 1024;
  char c;
  while (text.size() <= kLargest && in.get(c)) text.push_back(c);
  if (text.size() > kLargest || !plot.ApplySetupText(text)) return file.string() + " is not a plot setup file";
  return {};
}

}  // namespace ql
