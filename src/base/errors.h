#pragma once
#include <stdexcept>
#include <string>

namespace dosber {

// A failure that ends the user's action (a company load, a wage card): a file
// that is too short or cannot be read, a code that is not a number. The
// message is what the user sees; the path names the file where one is
// concerned.
class failure : public std::runtime_error {
 public:
  explicit failure(const std::string& message, std::string path = {})
      : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline constexpr const char* read_past_end = "Read past end of file";

// The invalid-integer failure of a text-to-number conversion; the message
// quotes the text.
inline failure invalid_integer(const std::string& text) {
  return failure("'" + text + "' is not a valid integer value");
}

// The text shown for a failure: its message, and the file on a second line
// where one is concerned.
inline std::string describe(const std::exception& e) {
  if (auto a = dynamic_cast<const failure*>(&e); a && !a->path().empty())
    return std::string(a->what()) + "\nFájl: " + a->path();
  return e.what();
}

}  // namespace dosber
