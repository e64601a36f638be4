#include "SeriesRing.h"

#include <algorithm>

namespace ql {

SeriesRing::SeriesRing(size_t capacity) : points_(std::max<size_t>(capacity, 1)) {}

void SeriesRing::Push(double seconds, double value) {
  points_[next_] = Point{seconds, value};
  next_ = (next_ + 1) % points_.size();
  size_ = std::min(size_ + 1, points_.size());
}

void SeriesRing::Clear() {
  next_ = 0;
  size_ = 0;
}

const SeriesRing::Point& SeriesRing::At(size_t i) const {
  const size_t oldest = (next_ + points_.size() - size_) % points_.size();
  return points_[(oldest + i) % points_.size()];
}

std::vector<SeriesRing::Point> SeriesRing::Window(double until, double span, size_t maxPoints) const {
  const double from = until - span;
  // Points are pushed in time order: the span is one run at the end of the ring.
  size_t first = size_;
  while (first > 0 && At(first - 1).seconds >= from) --first;
  size_t last = first;
  while (last < size_ && At(last).seconds <= until) ++last;

  std::vector<Point> out;
  const size_t count = last - first;
  if (count <= maxPoints || maxPoints < 2) {
    out.reserve(count);
    for (size_t i = first; i < last; ++i) out.push_back(At(i));
    return out;
  }
  const size_t buckets = maxPoints / 2;
  out.reserve(buckets * 2);
  for (size_t b = 0; b < buckets; ++b) {
    const size_t begin = first + count * b / buckets;
    const size_t end = first + count * (b + 1) / buckets;
    size_t low = begin, high = begin;
    for (size_t i = begin; i < end; ++i) {
      if (At(i).value < At(low).value) low = i;
      if (At(i).value > At(high).value) high = i;
    }
    out.push_back(At(std::min(low, high)));
    if (low != high) out.push_back(At(std::max(low, high)));
  }
  return out;
}

}  // namespace ql
