#pragma once
// Documents saved on a thread of their own, in the order given: while one
// card is rendered and written, the next is read and laid out. Rendering
// and saving are about half the time of a card.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace dosber {
class tpdflist;

class bulkwriter {
 public:
  // done(path, saved, message) is called on the writing thread, one call at
  // a time, in the order the documents were given; message is the writer's
  // or the failure's text when the save failed.
  using report = std::function<void(const std::string& path, bool saved, const std::string& message)>;
  explicit bulkwriter(report done);
  ~bulkwriter();  // waits for every document given
  bulkwriter(const bulkwriter&) = delete;
  bulkwriter& operator=(const bulkwriter&) = delete;

  // Waits while a few documents are still to be written, so that memory stays small.
  void save(std::unique_ptr<tpdflist> document, std::string path);
  void finish();

 private:
  void run();

  report done_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<std::pair<std::unique_ptr<tpdflist>, std::string>> queue_;
  bool closing_ = false;
  std::thread worker_;
};

}  // namespace dosber
