#include "base/collator.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

namespace dosber {
namespace {

std::unique_ptr<icu::Collator> makecollator() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale("hu", "HU"), status));
  if (U_FAILURE(status)) return nullptr;
  c->setStrength(icu::Collator::SECONDARY);
  return c;
}

// One collator per thread: the search sorts on its own thread while the
// window loads a company.
icu::Collator* collator() {
  thread_local std::unique_ptr<icu::Collator> c = makecollator();
  return c.get();
}

}  // namespace

void appendsortkey(std::string& key, std::string_view utf8) {
  icu::Collator* c = collator();
  if (!c) {
    key.append(utf8);
    key.push_back('\0');
    return;
  }
  icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  uint8_t buffer[256];
  int32_t n = c->getSortKey(u, buffer, sizeof buffer);
  if (n <= static_cast<int32_t>(sizeof buffer)) {
    key.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n));  // ends with its zero byte
    return;
  }
  size_t at = key.size();
  key.resize(at + static_cast<size_t>(n));
  c->getSortKey(u, reinterpret_cast<uint8_t*>(key.data() + at), n);
}

std::string sortkey(std::string_view utf8) {
  std::string key;
  appendsortkey(key, utf8);
  return key;
}

}  // namespace dosber
