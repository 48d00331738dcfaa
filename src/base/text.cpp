#include "base/text.h"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>

#include "base/errors.h"

namespace dosber {

size_t charboundary(std::string_view s, size_t at) {
  if (at >= s.size()) return s.size();
  while (at > 0 && continuationbyte(s[at])) --at;
  return at;
}

size_t nextchar(std::string_view s, size_t at) {
  if (at >= s.size()) return s.size();
  ++at;
  while (at < s.size() && continuationbyte(s[at])) ++at;
  return at;
}

std::string_view firstchars(std::string_view s, size_t count) {
  size_t end = 0;
  for (size_t n = 0; n < count && end < s.size(); ++n) end = nextchar(s, end);
  return s.substr(0, end);
}

std::string_view firstbytes(std::string_view s, size_t count) {
  return count >= s.size() ? s : s.substr(0, charboundary(s, count));
}

std::string validutf8(std::string_view s) {
  std::string out;
  int32_t length = static_cast<int32_t>(s.size()), copied = 0;
  for (int32_t i = 0; i < length;) {
    int32_t start = i;
    UChar32 c;
    U8_NEXT(s.data(), i, length, c);
    if (c >= 0) continue;
    out.append(s.data() + copied, static_cast<size_t>(start - copied));
    out += "\xEF\xBF\xBD";
    copied = i;
  }
  out.append(s.data() + copied, static_cast<size_t>(length - copied));
  return out;
}

void appendutf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

namespace {

// ASCII text is handled here; other text through ICU.
template <class Convert>
std::string convertcase(std::string_view utf8, Convert&& convert) {
  std::string out;
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
    out.assign(utf8);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
  }
  icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  convert(u);
  u.toUTF8String(out);
  return out;
}

}  // namespace

std::string lowercase(std::string_view utf8) {
  return convertcase(utf8, [](icu::UnicodeString& u) { u.toLower(icu::Locale::getRoot()); });
}

namespace {

// Case folding and its accents dropped, as ICU does them.
void dropaccents(icu::UnicodeString& u) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  if (U_FAILURE(status)) return;
  icu::UnicodeString d = nfd->normalize(u, status);
  if (U_FAILURE(status)) return;
  icu::UnicodeString out;
  for (int32_t i = 0; i < d.length();) {
    UChar32 c = d.char32At(i);
    if (u_charType(c) != U_NON_SPACING_MARK) out.append(c);
    i += U16_LENGTH(c);
  }
  u = out;
}

// The case folding of the characters up to U+017F (Latin-1 and Latin
// Extended-A, every Hungarian letter among them), without and with the
// accents dropped, taken from ICU once; 0 for those that fold to more than
// one character. Neither needs context, so folding text character by
// character gives ICU's result.
struct foldtable {
  char16_t to[2][0x180];
  foldtable() {
    for (int accents = 0; accents < 2; ++accents)
      for (char32_t c = 0; c < 0x180; ++c) {
        icu::UnicodeString u(static_cast<UChar32>(c));
        u.foldCase();
        if (accents) dropaccents(u);
        to[accents][c] = u.length() == 1 ? static_cast<char16_t>(u.charAt(0)) : 0;
      }
  }
};

// Folds by the table; false when the text holds a character it does not cover.
bool tablefold(std::string_view utf8, std::string& out, bool plain = false) {
  static const foldtable tables;
  const char16_t* table = tables.to[plain ? 1 : 0];
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c;
    if (b < 0x80) {
      c = b;
      ++i;
    } else if ((b & 0xE0) == 0xC0 && i + 1 < utf8.size() && continuationbyte(utf8[i + 1])) {
      c = (char32_t(b & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
      if (c < 0x80) return false;  // an overlong form: ICU decides
      i += 2;
    } else {
      return false;
    }
    if (c >= 0x180 || (c >= 0x80 && table[c] == 0)) return false;
    appendutf8(out, c < 0x80 ? (c >= 'A' && c <= 'Z' ? c + 32 : c) : table[c]);
  }
  return true;
}

}  // namespace

std::string casefold(std::string_view utf8) {
  std::string out;
  if (tablefold(utf8, out)) return out;
  return convertcase(utf8, [](icu::UnicodeString& u) { u.foldCase(); });
}

bool equalsignorecase(std::string_view a, std::string_view b) { return casefold(a) == casefold(b); }

std::string foldaccents(std::string_view utf8) {
  std::string out;
  if (tablefold(utf8, out, true)) return out;
  return convertcase(utf8, [](icu::UnicodeString& u) {
    u.foldCase();
    dropaccents(u);
  });
}

std::string_view trimcontrol(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

int tointeger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) throw invalid_integer(text);
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw invalid_integer(text);
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) throw invalid_integer(text);
  }
  if (negative) v = -v;
  if (v > 2147483647LL) throw invalid_integer(text);
  return static_cast<int>(v);
}

}  // namespace dosber
