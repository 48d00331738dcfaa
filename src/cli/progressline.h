#pragma once
// The progress of a long command on standard error, one line rewritten in
// place, when standard error is a terminal; nothing otherwise.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

namespace dosber {

// "1234/20000 kártya, 152,3 kártya/s, hátralévő idő: 1:58".
inline std::string progressline(int done, int total, double seconds) {
  double rate = seconds > 0 ? done / seconds : 0;
  char b[160];
  int n = std::snprintf(b, sizeof b, "%d/%d kártya, %.1f kártya/s", done, total, rate);
  if (rate > 0 && done < total) {
    long left = std::lround((total - done) / rate);
    n += std::snprintf(b + n, sizeof b - static_cast<size_t>(n), ", hátralévő idő: %ld:%02ld", left / 60,
                       left % 60);
  }
  std::string line(b, static_cast<size_t>(n));
  for (char& c : line)
    if (c == '.') c = ',';
  return line;
}

class progressmeter {
 public:
  explicit progressmeter(int total) : total_(total), shown_(isatty(STDERR_FILENO) == 1) {}
  ~progressmeter() {
    if (shown_ && drawn_) std::fputs("\n", stderr);
  }
  // A message on a line of its own; the progress line follows it.
  void message(const std::string& text) {
    if (shown_ && drawn_) std::fputs("\r\x1b[K", stderr);
    std::fprintf(stderr, "%s\n", text.c_str());
    last_ = {};
  }
  void step() { at(done_ + 1, total_); }
  // Progress reported by the work itself.
  void at(int done, int total) {
    done_ = done;
    total_ = total;
    if (!shown_) return;
    auto now = std::chrono::steady_clock::now();
    // A terminal line a tenth of a second is enough to read.
    if (done_ < total_ && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    drawn_ = true;
    std::string line = progressline(done_, total_, std::chrono::duration<double>(now - start_).count());
    std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
    std::fflush(stderr);
  }

 private:
  int total_, done_ = 0;
  bool shown_, drawn_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now(), last_{};
};

}  // namespace dosber
