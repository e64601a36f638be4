#pragma once

#include <cstddef>
#include <vector>

namespace ql {

// One plotted quantity: a fixed number of the newest (time, value) points. Pushing never
// allocates once the ring is full, so a series costs the same after an hour as after a
// minute.
class SeriesRing {
 public:
  struct Point {
    double seconds;  // host seconds of the reading
    double value;
  };

  explicit SeriesRing(size_t capacity);

  void Push(double seconds, double value);
  void Clear();

  size_t Size() const { return size_; }
  size_t Capacity() const { return points_.size(); }
  // The i-th oldest point held, 0 <= i < Size().
  const Point& At(size_t i) const;

  // The points of the last `span` seconds before `until`, at most `maxPoints` of them:
  // where more fall in the span, each of `maxPoints / 2` equal time buckets gives its
  // lowest and its highest point in time order, so spikes survive the thinning.
  std::vector<Point> Window(double until, double span, size_t maxPoints) const;

 private:
  std::vector<Point> points_;
  size_t next_ = 0;  // where the next point goes
  size_t size_ = 0;
};

}  // namespace ql
