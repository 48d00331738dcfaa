#pragma once
#include <stdexcept>
#include <string>

namespace dosber {

// A failure that ends a company load or a wage card: an archive file that is
// too short or cannot be read, a code that is not a number. The message is
// what the user sees; the path names the file where one is concerned.
class archive_error : public std::runtime_error {
 public:
  explicit archive_error(const std::string& message, std::string path = {})
      : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline constexpr const char* read_past_end = "Read past end of file";

// The invalid-integer failure of a text-to-number conversion; the message
// quotes the text.
inline archive_error invalid_integer(const std::string& text) {
  return archive_error("'" + text + "' is not a valid integer value");
}

// The text shown for a failure: its message, and for an archive file the
// file on a second line.
inline std::string describe(const std::exception& e) {
  if (auto a = dynamic_cast<const archive_error*>(&e); a && !a->path().empty())
    return std::string(a->what()) + "\nFájl: " + a->path();
  return e.what();
}

// Strict decimal integer conversion: optional blanks in front, an optional
// sign, then digits only. Throws invalid_integer otherwise.
int tointeger(const std::string& text);

}  // namespace dosber
