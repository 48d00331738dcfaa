#pragma once
// JSON written as it goes, in the indented form of two spaces a level, so
// that a whole company's rows never stand in memory as a document tree. The
// caller gives a well-formed sequence (a key before each member's value).
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace dosber {

class jsonwriter {
 public:
  explicit jsonwriter(std::ostream& out) : out_(out) {}
  ~jsonwriter() { flush(); }
  jsonwriter(const jsonwriter&) = delete;
  jsonwriter& operator=(const jsonwriter&) = delete;

  void beginarray() { open('['); }
  void endarray() { close(']'); }
  void beginobject() { open('{'); }
  void endobject() { close('}'); }
  void key(std::string_view name);
  // A key of every row quoted once: prepared by quotedkey, given by preparedkey.
  static std::string quotedkey(std::string_view name);
  void preparedkey(std::string_view text);
  void string(std::string_view text);  // UTF-8, written as it is apart from the escapes
  void number(double v);               // not finite: null, as JSON has no such numbers
  void integer(int64_t v);
  void boolean(bool v);
  void null();
  // Writes the buffered text to the stream; also done now and then and at the end.
  void flush();

 private:
  void open(char bracket);
  void close(char bracket);
  void beforevalue();
  static void quoted(std::string& out, std::string_view text);
  void spill() {
    if (buffer_.size() >= (1 << 16)) flush();
  }

  std::ostream& out_;
  std::string buffer_;
  std::vector<bool> filled_;  // per open level: something written in it
  bool afterkey_ = false;
};

}  // namespace dosber
