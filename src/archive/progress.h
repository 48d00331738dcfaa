#pragma once

namespace dosber {

// The progress bar of a reader (the window's track bar). Readers take a
// pointer to it that may be null: then no progress is shown.
class progress {
 public:
  virtual ~progress() = default;
  virtual void setmaximum(int value) = 0;
  virtual void setminimum(int value) = 0;
  virtual void setposition(int value) = 0;
  virtual int position() const = 0;
};

}  // namespace dosber
