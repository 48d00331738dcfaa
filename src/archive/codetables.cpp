#include "archive/codetables.h"

#include <string>

#include "archive/cp852.h"

namespace dosber {
namespace {

constexpr const char* _ = nullptr;  // no entry in that year

struct row7 {
  const char* code;
  const char* label[7];
};
struct row8 {
  const char* code;
  const char* label[8];
};
struct row6 {
  const char* code;
  const char* label[6];
};
struct taxrow {
  int code;
  const char* label[7];
};

//  code   1992-93       1994          1995-96       1997          1998          1999-2002     2003-05
constexpr row7 absences[] = {
    {"1", {"Fnsz ápol", "Fiz.n.szab", _, _, _, _, _}},
    {"2", {"Fnsz épit", "Üzemszünet", _, _, _, _, _}},
    {"3", {"Fnsz egyéb", "Igaz.-lan", _, _, _, _, _}},
    {"4", {"Sorkatona", "Sorkatona", _, _, _, _, _}},
    {"5", {"Táppénz", "Táppénz", _, _, _, _, _}},
    {"6", {"GYED", "GYED", _, _, _, _, _}},
    {"7", {"GYES", "GYES", _, _, _, _, _}},
    {"8", {"Igazolt nf", "Igazolt nf", _, _, _, _, _}},
    {"9", {"Betegszab.", "Betegszab.", _, _, _, _, _}},
    {"01", {_, _, _, "TB.min100%", "TB.min100%", _, _}},
    {"02", {_, _, "Üzemszünet", "TB.min.0%", "TB.min.0%", _, _}},
    {"03", {_, _, _, "Uj GYES", "Uj GYES", "GYES+dolg.", "GYES+dolg."}},
    {"04", {_, _, _, "Fiz.n.gyáp", "Fiz.n.gyáp", _, _}},
    {"05", {_, _, _, "Arch.mvisz", "Arch.mvisz", _, _}},
    {"06", {_, _, _, "Álkiv eü-s", "Álkiv eü-s", _, _}},
    {"07", {_, _, _, "Máshol eü.", "Máshol eü.", _, _}},
    {"08", {_, _, _, _, _, _, "Apa m.kedv"}},
    {"09", {_, _, "Betegszab.", "Betegszab.", "Betegszab.", "Betegszab.", "Betegszab."}},
    {"11", {_, _, "Táppénz", "Táppénz", "Táppénz", "Tápp.beteg", "Tápp.beteg"}},
    {"12", {_, _, "Ü.b. tpénz", "Ü.b. tpénz", "Ü.b. tpénz", "Ü.b. tpénz", "Ü.b. tpénz"}},
    {"13", {_, _, _, _, "Gy.áp.tp.", _, _}},
    {"14", {_, _, _, _, _, "Gy.áp.tp.", "Gy.áp.tp."}},
    {"21", {_, _, "Terh-gy.tp", "Terh-gy.tp", "Terh-gy.tp", "Terh-gy.tp", "Terh-gy.tp"}},
    {"22", {_, _, "GYED", "GYED", "GYED", "GYED", "GYED"}},
    {"23", {_, _, "GYES", "GYES", "GYES", "GYES", "GYES"}},
    {"31", {_, _, "Katona", "Katona", "Katona", "Katona", "Katona"}},
    {"41", {_, _, "Örizetben", "Örizetben", "Örizetben", "Örizetben", "Örizetben"}},
    {"42", {_, _, "Szab.veszt", "Szab.veszt", "Szab.veszt", "Szab.veszt", "Szab.veszt"}},
    {"46", {_, _, _, _, _, "Egy.nemdíj", "Egy.nemdíj"}},
    {"69", {_, _, _, _, _, "Fiz.n.gyáp", "Fiz.n.gyáp"}},
    {"71", {_, _, "Fiz.n.szab", "Fiz.n.szab", "Fiz.n.szab", "Fiz.n.szab", "Fiz.n.szab"}},
    {"72", {_, _, "Igazolt nf", "Igazolt nf", "Igazolt nf", "Igazolt nf", "Igazolt nf"}},
    {"73", {_, _, "Igaz.-lan", "Igaz.-lan", "Igaz.-lan", "Igaz.-lan", "Igaz.-lan"}},
};

//  code   1992-93       1994-95       1996          1997          1998          1999-2002     2003-05
constexpr row7 staffgroups[] = {
    {"1", {"Fizikai", "Szellemi", "Szellemi", "Mv.szel-mi", "M.viszony", "M.viszony", "M.viszony"}},
    {"2", {"III. sztan", "Fizikai", "Fizikai", "Mv.fizikai", "Tagi jogv.", "Tagi jogv.", "Tagi jogv."}},
    {"3", {"Műszaki", "Tbér.sztan", "Tbér.sztan", "Szakm.tan.", "Egyéniváll", "Egyéniváll", "Egyéniváll"}},
    {"4", {"Igazgatási", "Öszt.sztan", "Öszt.sztan", "Tag,scstag", "Egy.nemön.", "Egy.nemön.", "Egy.nemön."}},
    {"5", {"Eü-kult", "Tag", "Tag", "Tag/másod", "Egy.önálló", "Önálló tev", "Önálló tev"}},
    {"6", {"Számviteli", "Kieg.tag", "Kieg.tag", "Áll.kivüli", "Állkiv mv.", "Állkiv mv.", "Állkiv mv."}},
    {"7", {"Szkmt.I-II", "Másod jogv", "Állkiv+fmv", "Ákiv/másod", "Külszolgmv", "Külszolgmv", "Külszolgmv"}},
    {"8", {"Állk.+főmv", "Áll.kívüli", "Állkiv-fmv", "nemTBkülf.", _, _, "Evás tag"}},
    {"9", {"Áll.kívüli", "Jár.mentes", "TB mentes", _, _, _, "Evás váll."}},
};

//  code   1992          1993          1994-95       1996          1997          1998          1999-2002     2003-05
constexpr row8 employmenttypes[] = {
    {"1", {"Telj.mi.", "Telj.mi.", "Telj.mi.", "Telj.mi.", "Telj.mi.", "Föjogvisz.", "Főjogvisz.", "Főjogvisz."}},
    {"2", {"Rész.mi.", "Rész.mi.", "Rész.mi.", "Rész.mi.", "Rész.mi.", "Másodjogv.", "Másodjogv.", "Másh.36ómv"}},
    {"3", {"Nyugdíjas", "Nyugdíjas", "Nyugdíjas", "Nyugdíjas", "Nyugdíjas", "Nyugdíjas", "Nyugdíjas", "Nyugdíjas"}},
    {"4", {"Szün.diák", "Szün.diák", "Szün.diák", "Szün.diák", "Szün.diák", "Nem bizt.", "Nem biz-tt", "Nem biz-tt"}},
    {"5", {"Társv.tag", "Tag+mvj", "Mv.jellegü", "Tart.külf.", "Tart.külf.", _, _, "Másh.főáll"}},
    {"6", {"Kieg.tev.", "Kieg.tev.", _, _, "Seg.cstag.", _, _, _}},
    {"7", {"Nyugd.+nyj", "Nyugd.+nyj", _, _, "Öszt.dijas", _, _, _}},
    {"8", {_, "Külföldi", _, _, "Egyéb", _, _, _}},
    {"9", {_, "Tag-mvj", "Egyéb", "Egyéb", "Egyéb/nyug", _, _, _}},
};

//  code   1998               1999               2000-02            2003               2004               2005
constexpr row6 employmentstatuses[] = {
    {"115", {"Szöv.tag mvisz.", "Szöv.tag mvisz.", "Szöv.tag mvisz.", "Szöv.tag mvisz.", "Szöv.tag mvisz.", "Szöv.tag mvisz."}},
    {"120", {"Munkaviszony", "Munkaviszony", "Munkaviszony", "Munkaviszony", "Munkaviszony", "Munkaviszony"}},
    {"147", {"Bedolgozó", "Bedolgozó", "Bedolgozó", "Bedolgozó", "Bedolgozó", "Bedolgozó"}},
    {"171", {"Közalkalmazott", "Közalkalmazott", "Közalkalmazott", "Közalkalmazott", "Közalkalmazott", "Közalkalmazott"}},
    {"172", {"Köztisztviselö", "Köztisztviselö", "Köztisztviselö", "Köztisztviselö", "Köztisztviselö", "Köztisztviselö"}},
    {"173", {"Bírósági szolg.", "Bíróság,ügyészs", "Bíróság,ügyészs", "Bíróság,ügyészs", "Bíróság,ügyészs", "Bíróság,ügyészs"}},
    {"174", {"Ügyészs.szolg.", _, _, _, _, _}},
    {"190", {"Hivatásos szolg", "Hivatásos szolg", "Hivatásos szolg", "Hivatásos szolg", "Hivatásos szolg", "Hivatásos szolg"}},
    {"191", {"Egyházi személy", "Egyházi személy", "Egyházi személy", "Egyházi személy", "Egyházi személy", "Egyházi személy"}},
    {"200", {_, "Tag egyéb", "Tag egyéb", "Tag egyéb", "Tag egyéb", "Tag egyéb"}},
    {"227", {"KKT tagja", _, _, _, _, _}},
    {"228", {"BT tagja", _, _, _, _, _}},
    {"229", {"Közh.társ tagja", _, _, _, _, _}},
    {"230", {_, "Tag szem.közr.", "Tag szem.közr.", "Tag szem.közr.", "Tag szem.közr.", "Tag szem.közr."}},
    {"231", {"KFT tagja", _, _, _, _, _}},
    {"232", {"Szab.ügyv.társ.", _, _, _, _, _}},
    {"233", {"GMK tagja", _, _, _, _, _}},
    {"234", {_, _, _, _, "Tag társ.v.mell", "Tag társ.v.mell"}},
    {"235", {_, _, _, _, "Tag mv.mellett", "Tag mv.mellett"}},
    {"237", {_, _, _, _, "Tag tanulás mel", "Tag tanulás mel"}},
    {"239", {_, _, _, _, "Tag egyváll mel", "Tag egyváll mel"}},
    {"254", {"Ügyv.ir.tagja", _, _, _, _, _}},
    {"255", {"Szab.ügy.iroda", _, _, _, _, _}},
    {"256", {"Gjmü vezkép.tag", _, _, _, _, _}},
    {"257", {"Okt mk.tagja", _, _, _, _, _}},
    {"300", {"Egyéni vállalk.", "Egyéni vállalk.", "Egyéni vállalk.", "Egyéni vállalk.", "Egyéni vállalk.", "Egyéni vállalk."}},
    {"336", {_, _, _, _, "Egyváll tan.mel", "Egyváll tan.mel"}},
    {"338", {_, _, _, _, "Egyváll társv.m", "Egyváll társv.m"}},
    {"400", {_, "Egyéb nemönálló", "Egyéb nemönálló", "Egyéb nemönálló", "Egyéb nemönálló", "Egyéb nemönálló"}},
    {"418", {_, _, _, _, _, "Ösztöndíjas"}},
    {"423", {"Segítö cstag.", _, _, _, _, _}},
    {"424", {_, "Segítö cstag.", "Segítö cstag.", "Segítö cstag.", "Segítö cstag.", "Segítö cstag."}},
    {"446", {"Tanuló szerz.-s", "Tanuló szerz.-s", "Tanuló szerz.-s", "Tanuló szerz.-s", "Tanuló szerz.-s", "Tanuló szerz.-s"}},
    {"476", {"Tiszteletdíjas", "Tiszteletdíjas", "Tiszteletdíjas", "Tiszteletdíjas", "Tiszteletdíjas", "Tiszteletdíjas"}},
    {"477", {"Társ.megb.polgm", _, _, _, _, _}},
    {"516", {"Szöv.tag váll.j", "Szöv.tag váll.j", "Szöv.tag váll.j", "Szöv.tag váll.j", "Szöv.tag váll.j", "Szöv.tag váll.j"}},
    {"541", {"Megbízási jogv.", "Megbízási jogv.", "Megbízási jogv.", "Megbízási jogv.", "Megbízási jogv.", "Megbízási jogv."}},
    {"557", {"Váll.jel.jogv.", _, _, _, _, _}},
    {"565", {_, "Szerzői jogv.", "Szerzői jogv.", "Szerzői jogv.", "Szerzői jogv.", "Szerzői jogv."}},
    {"566", {"Szerzöi jogv.", _, _, _, _, _}},
    {"575", {_, "Váll.jel.jogv.", "Váll.jel.jogv.", "Váll.jel.jogv.", "Váll.jel.jogv.", "Váll.jel.jogv."}},
    {"620", {"Alkalm.mv,diák", "Szünidős diák", "Munkaviszony", "Munkaviszony", "Munkaviszony", "Munkaviszony"}},
    {"645", {"Bérezett szmtan", "Bérezett szmtan", "Bér.szmtan,diák", "Bér.szmtan,diák", "Bér.szmtan,diák", "Bér.szmtan,diák"}},
    {"647", {"Alkalmi bedolg.", _, _, _, _, _}},
    {"720", {"Tartós külszolg", "Tartós külszolg", "Tartós külszolg", "Tartós külszolg", "Tartós külszolg", "Tartós külszolg"}},
    {"830", {_, _, _, "Tag szem.közr.", "Tag szem.közr.", "Tag szem.közr."}},
    {"900", {_, _, _, "Egyéni vállalk.", "Egyéni vállalk.", "Egyéni vállalk."}},
};

// The 815 label of 1998-2003 holds a no-break space; the 809 label of 1996 a
// right double quotation mark where 1997 has "ö".
//   code  1992-94       1995          1996               1997             1998               1999-2003          2004-05
constexpr taxrow taxlabels[] = {
    {800, {"Szja+", "Szja+", "Szja+", "Szja+", "Bér SZJA+", "Bér SZJA+", "Bér SZJA+"}},
    {801, {"Nyjár+", "Nyjár+", "Nyjár+", "Nyjár+", "TB-s nyjár+", "TB-s nyjár+", "TB-s nyjár+"}},
    {802, {_, _, _, _, "Áthidaló előleg", "Áthidaló előleg", "Áthidaló előleg"}},
    {803, {_, _, _, _, "Nem bér SZJA+", "Nem bér SZJA+", "Nem bér SZJA+"}},
    {804, {_, "Szja%-os+", "Szja%-os+", "Szja%-os+", "Egyéb SZJA+", "Egyéb SZJA+", "Egyéb SZJA+"}},
    {805, {"Szdij+", "Szdij+", "Szdij+", "Szdij+", "Szdij+", "Szdij+", "Szdij+"}},
    {806, {"Forr.adó+", "Forr.adó+", "Forr.adó+", "Forr.adó+", "Forr.adó+", "Forr.adó+", "Forr.adó+"}},
    {807, {"Mváll.jár+", "Mváll.jár+", "Mváll.jár+", "Mváll.jár+", "Mváll.jár+", "Mváll.jár+", "Mváll.jár+"}},
    {808, {"Egbiztjár+", "Egbiztjár+", "Egbiztjár+", "Egbiztjár+", "Egbiztjár+", "Egbiztjár+", "Egbiztjár+"}},
    {809, {_, _, "Ny.ptár j\u201Dved", "Ny.ptár jöved", "Önk.nyp.tám", "Önk.nyp.tám", "Önk.nyp.tám"}},
    {810, {_, _, _, _, "Önk.nyp.tagdíj", "Önk.nyp.tagdíj", "Önk.nyp.tagdíj"}},
    {811, {_, _, _, _, "Mag.nyptár tám", "Mag.nyptár tám", "Mag.nyptár tám"}},
    {812, {_, _, _, _, "Mag.nyp.tagdij+", "Mag.nyp.tagdij+", "Mag.nyp.tagdij+"}},
    {813, {_, _, _, _, "Mag.nyp.kieg+", "Mag.nyp.kieg+", "Mag.nyp.kieg+"}},
    {814, {_, _, _, _, "TBJ-s ö.nyp.tám", "TBJ-s ö.nyp.tám", "TBJ-s ö.nyp.tám"}},
    {815, {_, _, _, _, "Nyj\u00A0r+egj.alap", "Nyj\u00A0r+egj.alap", "Eg+8.5% nyjalap"}},
    {816, {_, _, _, _, "7%-os nyj.alap", "8%-os nyj.alap", "8.5% nyj.alap"}},
    {817, {_, _, _, _, "Eg.jár alap", "Eg.jár alap", "Eg.jár alap"}},
    {818, {_, _, _, _, "TB+nyj+egj alap", "Min.TB kieg.", "Min.TB kieg."}},
    {819, {_, _, _, _, "1+6% ny+mp.alap", "2+6% ny+mp.alap", "0.5+8% nyjalap"}},
    {820, {_, _, _, _, _, "Eg+2+6% ny.alap", "Eg+0.5+8% alap"}},
    {822, {_, _, _, _, _, _, "Önk.egp.tagdij+"}},
    {900, {"Szja-", "Szja-", "Szja-", "Szja-", "Bér SZJA-", "Bér SZJA-", "Bér SZJA-"}},
    {901, {"Nyjár-", "Nyjár-", "Nyjár-", "Nyjár-", "TB-s nyjár-", "TB-s nyjár-", "TB-s nyjár-"}},
    {903, {_, _, _, _, "Nem bér SZJA-", "Nem bér SZJA-", "Nem bér SZJA-"}},
    {904, {_, "Szja%-os-", "Szja%-os-", "Szja%-os-", "Egyéb SZJA-", "Egyéb SZJA-", "Egyéb SZJA-"}},
    {905, {"Szdij-", "Szdij-", "Szdij-", "Szdij-", "Szdij-", "Szdij-", "Szdij-"}},
    {906, {"Forr.adó-", "Forr.adó-", "Forr.adó-", "Forr.adó-", "Forr.adó-", "Forr.adó-", "Forr.adó-"}},
    {907, {"Mváll.jár-", "Mváll.jár-", "Mváll.jár-", "Mváll.jár-", "Mváll.jár-", "Mváll.jár-", "Mváll.jár-"}},
    {908, {"Egbiztjár-", "Egbiztjár-", "Egbiztjár-", "Egbiztjár-", "Egbiztjár-", "Egbiztjár-", "Egbiztjár-"}},
    {909, {_, _, "Ny.ptár levon", "Ny.ptár levon", _, _, _}},
    {910, {_, _, _, _, "Önk.nyp.tagdij-", "Önk.nyp.tagdij-", "Önk.nyp.tagdij-"}},
    {912, {_, _, _, _, "Mag.nyp.tagdij-", "Mag.nyp.tagdij-", "Mag.nyp.tagdij-"}},
    {913, {_, _, _, _, "Mag.nyp.kieg-", "Mag.nyp.kieg-", "Mag.nyp.kieg-"}},
};

template <class Row, size_t N>
void loadtable(const Row (&rows)[N], int column, namevaluelist& list) {
  list.clear();
  if (column < 0) return;
  for (const Row& r : rows) {
    const char* label = r.label[column];
    if (label == nullptr || trimcontrol(r.code).empty()) continue;
    list.add(r.code, trimcontrol(label));
  }
}

}  // namespace

void loadabsencecodes(const yearinfo& year, namevaluelist& list) {
  loadtable(absences, year.consts.absence, list);
}
void loadstaffgroups(const yearinfo& year, namevaluelist& list) {
  loadtable(staffgroups, year.consts.staffgroup, list);
}
void loademploymenttypes(const yearinfo& year, namevaluelist& list) {
  loadtable(employmenttypes, year.consts.employmenttype, list);
}

void loademploymentstatuses(const yearinfo& year, namevaluelist& list) {
  list.clear();
  int column = year.consts.employmentstatus;
  if (column < 0) return;
  for (const auto& r : employmentstatuses) {
    if (r.label[column] == nullptr) continue;
    // Code and label are stored together as one text.
    std::string entry = std::string(r.code) + r.label[column];
    std::string_view t = trimcontrol(entry);
    if (t.size() < 3) continue;
    list.add(t.substr(0, 3), t.substr(3));
  }
}

void registertaxlabels(const yearinfo& year, namevaluelist& itemnames) {
  int column = year.consts.taxlabels;
  for (const auto& r : taxlabels) {
    if (r.label[column] == nullptr) continue;
    itemnames.add(std::to_string(r.code), r.label[column]);
  }
}

void fillwageforms(namevaluelist& list) {
  for (const char* entry : {"1=Havibéres", "1=Havibéres ", "2=óra+teljb.", "3=órabéres  ", "4=Havi+teljb",
                            "5=Egyéb havi"})
    list.add(entry);
}

}  // namespace dosber
