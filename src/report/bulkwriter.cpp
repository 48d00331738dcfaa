#include "report/bulkwriter.h"

#include "base/errors.h"
#include "report/pdflist.h"

namespace dosber {
namespace {
constexpr size_t waiting_documents = 4;
}

bulkwriter::bulkwriter(report done) : done_(std::move(done)), worker_([this] { run(); }) {}

bulkwriter::~bulkwriter() { finish(); }

void bulkwriter::save(std::unique_ptr<tpdflist> document, std::string path) {
  std::unique_lock<std::mutex> guard(lock_);
  changed_.wait(guard, [this] { return queue_.size() < waiting_documents; });
  queue_.emplace_back(std::move(document), std::move(path));
  changed_.notify_all();
}

void bulkwriter::finish() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    closing_ = true;
    changed_.notify_all();
  }
  if (worker_.joinable()) worker_.join();
}

void bulkwriter::run() {
  for (;;) {
    std::unique_ptr<tpdflist> document;
    std::string path;
    {
      std::unique_lock<std::mutex> guard(lock_);
      changed_.wait(guard, [this] { return !queue_.empty() || closing_; });
      if (queue_.empty()) return;
      document = std::move(queue_.front().first);
      path = std::move(queue_.front().second);
      queue_.pop_front();
      changed_.notify_all();
    }
    std::string message;
    document->onmessage = [&message](const std::string& m) { message = m; };
    try {
      document->savetofile(path);
    } catch (const std::exception& e) {
      message = describe(e);
    }
    done_(path, document->saved, message);
  }
}

}  // namespace dosber
