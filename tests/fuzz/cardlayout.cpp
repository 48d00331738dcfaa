// The wage card layout of fuzzed card data: the employee row, the company
// texts, the lists, the item rows and the absences, texts of any bytes and
// amounts of any 6-byte real, laid out and rendered to a PDF in memory.
#include <cstdint>
#include <memory>

#include "archive/archivestate.h"
#include "archive/cardtables.h"
#include "fuzzinput.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::fuzzing;

namespace {

// Every text run lies on its page; every page has its header entry.
void checkpages(tpdflist& card) {
  if (card.pageinfo.size() != card.pages().size()) __builtin_trap();
  for (const pdfpage& p : card.pages()) {
    float width = p.orientation == 1 ? 297 : 210, height = p.orientation == 1 ? 210 : 297;
    for (const drawop& op : p.ops) {
      const textrun* t = std::get_if<textrun>(&op);
      if (!t) continue;
      float right = t->x + card.measure(t->text, t->font, t->size).width;
      if (t->x < 0 || right > width + 0.01f || t->y < 0 || t->y > height) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fieldreader in(data, size);
  archivestate state;
  state.hasyear = true;
  state.yeartext = in.text(8);
  state.companyname = in.text(2000);
  state.companytaxnumber = in.text(40);

  memtable employees = makeemployeetable();
  rebuildemployeetable(employees);
  std::vector<value> row;
  for (const employeefield& f : employeefields) {
    if (f.type == fieldtype::text)
      row.emplace_back(in.text(static_cast<size_t>(f.size) * 2));
    else if (f.type == fieldtype::integer)
      row.emplace_back(static_cast<int32_t>(in.number()));
    else
      row.emplace_back(in.amount());
  }
  employees.append(row);
  employees.first();
  std::string azon = employees.text("azon"), bdatum = employees.text("bdatum");

  // Fields are read one statement at a time: the order of function
  // arguments is unspecified, the seeds' order is not.
  auto pair = [&](namevaluelist& list, size_t namelength, size_t valuelength) {
    std::string name = in.text(namelength);
    list.add(name, in.text(valuelength));
  };
  for (int n = in.number() % 16; n > 0; --n) pair(state.staffgroups, 2, 30);
  for (int n = in.number() % 16; n > 0; --n) pair(state.employmenttypes, 2, 30);
  for (int n = in.number() % 64; n > 0; --n) pair(state.itemnames, 4, 40);
  for (int n = in.number() % 64; n > 0; --n) {
    std::string who = in.number() % 2 ? azon : in.text(12);
    std::string line = in.text(12);
    for (size_t length : {2, 2, 12}) line += ";" + in.text(length);
    state.employmentlines.add(who, line);
  }

  rebuildcardtables(state.absences, state.items);
  std::string starts[] = {bdatum, "", ""};
  starts[1] = in.text(12);
  starts[2] = in.text(12);
  for (int n = in.number() * 4; n > 0; --n) {
    std::vector<value> item{in.number() % 4 ? azon : in.text(12)};
    item.emplace_back(in.text(2));                  // jogvkod1
    item.emplace_back(starts[in.number() % 3]);     // jvkezd
    for (size_t length : {5, 2, 4}) item.emplace_back(in.text(length));  // evho, kodtip, kod
    item.emplace_back(in.amount());
    state.items.append(std::move(item));
  }
  for (int n = in.number(); n > 0; --n) {
    std::vector<value> absence{in.number() % 4 ? azon : in.text(12)};
    for (size_t length : {3, 20, 12, 12}) absence.emplace_back(in.text(length));  // kod, megnev, tol, ig
    state.absences.append(std::move(absence));
  }
  state.items.first();
  state.absences.first();

  std::unique_ptr<tpdflist> card = layoutwagecard(state, employees);
  checkpages(*card);
  std::string pdf = card->render();
  if (pdf.compare(0, 5, "%PDF-") != 0) __builtin_trap();
  return 0;
}
