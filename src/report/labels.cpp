#include "report/labels.h"

#include <array>

#include "archive/namevaluelist.h"

namespace dosber {
namespace {

constexpr std::array<const char*, 46> labels{
    "",
    "Bérezett nap",    "Ledolgozott nap", "Rendes szab.nap", "Apa m.idő kedv",  "Fiz.ünnep nap",
    "Fiz.távol.nap",   "Betegszb.nap",    "Egyéb táv.nap",   "Pihenő nap",      "Fizetett óra",
    "Túlóra óra",      "Béralap",         "Bruttó",          "Túlfizetés",      "Letiltás össz.",
    "Levonás össz.",   "Jaruékok,adók",   "Bérutalás",       "Szakszerv.díj",   "Áthidaló",
    "Kp.kifizetés",    "Összevon.jöv",    "Nyug.tip.jöv",    "Jövcsökk.kedv",   "Adócsökk.kedv",
    "Adóelőleg ö.",    "Forr.adós jöv.",  "Forrásadó",       "Eg.bizt.jár.",    "Nyugdíj jár.",
    "Magánp.tagdíj",   "Magánp.kieg",     "ÖNYP.tagdíj",     "ÖEGP.tagdíj",     "Munkaváll.jár.",
    "Vállalk.jár.",    "Fiz.TB alap",     "Startalap ö.",    "Start15 alap",    "Start25 alap",
    "Fiz.egj.alap",    "Fiz.nyj alap",    "Levont egj.alap", "Levont nyj.alap", "MPtag nyj alap",
};

int decimalvalue(std::string_view code) {
  int n = 0;
  for (char c : code) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return code.empty() ? -1 : n;
}

}  // namespace

std::string itemlabel(int number) {
  return number >= 1 && number <= 45 ? labels[number] : "";
}

std::string itemname(std::string_view kodtip, std::string_view kod, const namevaluelist& itemnames) {
  if (kod.empty()) return {};
  if (kod[0] == '6') return itemnames.value(kod);
  switch (kodtip.empty() ? '\0' : kodtip[0]) {
    case '1': case '2': case '5': case '6': case '7': case '8':
      return itemlabel(decimalvalue(kod));
    case '3': case '4':
      return itemnames.value(kod);
    default:
      return {};
  }
}

}  // namespace dosber
