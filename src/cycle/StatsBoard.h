#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/Colour.h"

namespace ql {

// The nine-line statistics display. It belongs to one owner at a time; writes from any
// other owner are dropped. The logger port statistics are owner 0.
class StatsBoard {
 public:
  static constexpr int kLines = 9;
  // Below the nine, a line of the logger port's own that shows only once the port has
  // thrown input away because the host fell too far behind.
  static constexpr int kLostInputLine = kLines + 1;
  static constexpr int16_t kNoOwner = -1;
  static constexpr int16_t kLoggerPortOwner = 0;

  struct Line {
    std::string text;
    Colour colour = kButtonFace;
    bool visible = false;
    bool operator==(const Line&) const = default;
  };

  void StatsOpen(int16_t owner, int lines, const std::string& caption);
  void StatsClose();
  void StatsSetLine(int16_t owner, int line, const std::string& text);
  void StatsSetColor(int16_t owner, int line, Colour colour);
  void StatsSetLostInput(int16_t owner, const std::string& text);
  // The window's own close box hides it; the owner stays and lines keep updating.
  void HideWindow() {
    windowVisible_ = false;
    ++revision_;
  }

  int16_t Owner() const { return owner_; }
  bool WindowVisible() const { return windowVisible_; }
  const std::string& Caption() const { return caption_; }
  const Line& At(int line) const { return lines_[static_cast<size_t>(line - 1)]; }
  // Grows with every change, so a display redraws only when there is something new.
  uint32_t Revision() const { return revision_; }

 private:
  Line* Writable(int16_t owner, int line);

  int16_t owner_ = kNoOwner;
  bool windowVisible_ = false;
  std::string caption_ = "Statistics Form";
  std::array<Line, kLostInputLine> lines_{};
  uint32_t revision_ = 0;
};

}  // namespace ql
