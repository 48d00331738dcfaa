#pragma once
#include <atomic>
#include <functional>

namespace dosber {

// The progress bar of a long step (the window's track bar). Steps take a
// pointer to it that may be null: then no progress is shown.
class progress {
 public:
  virtual ~progress() = default;
  virtual void setmaximum(int value) = 0;
  virtual void setminimum(int value) = 0;
  virtual void setposition(int value) = 0;
  virtual int position() const = 0;
};

// The start of every walk that shows progress: maximum, minimum 1, position 0.
inline void startprogress(progress* bar, int maximum) {
  if (!bar) return;
  bar->setmaximum(maximum);
  bar->setminimum(1);
  bar->setposition(0);
}

// Progress and cancelling of long work that may run on a thread of its own:
// the callback is called on that thread.
struct workcallbacks {
  std::function<void(int done, int total)> progress;
  const std::atomic<bool>* cancel = nullptr;
};

}  // namespace dosber
