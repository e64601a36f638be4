#include "StatsBoard.h"

namespace ql {

void StatsBoard::StatsOpen(int16_t owner, int lines, const std::string& caption) {
  if (lines < 1 || lines > kLines) {
    StatsClose();
    return;
  }
  owner_ = owner;
  for (int i = 0; i < kLines; ++i) lines_[static_cast<size_t>(i)].visible = i < lines;
  Line& lost = lines_[kLostInputLine - 1];
  lost.visible = !lost.text.empty();
  caption_ = caption;
  windowVisible_ = true;
  ++revision_;
}

void StatsBoard::StatsClose() {
  owner_ = kNoOwner;
  windowVisible_ = false;
  caption_ = "Closed";
  for (Line& l : lines_) l.visible = false;
  ++revision_;
}

StatsBoard::Line* StatsBoard::Writable(int16_t owner, int line) {
  if (owner != owner_ || owner_ == kNoOwner || line < 1 || line > kLines) return nullptr;
  return &lines_[static_cast<size_t>(line - 1)];
}

void StatsBoard::StatsSetLine(int16_t owner, int line, const std::string& text) {
  Line* l = Writable(owner, line);
  if (l == nullptr || l->text == text) return;
  l->text = text;
  ++revision_;
}

void StatsBoard::StatsSetColor(int16_t owner, int line, Colour colour) {
  Line* l = Writable(owner, line);
  if (l == nullptr || l->colour == colour) return;
  l->colour = colour;
  ++revision_;
}

void StatsBoard::StatsSetLostInput(int16_t owner, const std::string& text) {
  if (owner != owner_ || owner_ == kNoOwner) return;
  Line& l = lines_[kLostInputLine - 1];
  if (l.text == text && l.visible) return;
  l.text = text;
  l.colour = kRed;
  l.visible = true;
  ++revision_;
}

}  // namespace ql
