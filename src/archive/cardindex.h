#pragma once
// The card data of every employee of a company from one pass over its
// absence file and wage card files: each file is read once from start to
// end and its present records are grouped by their identifier bytes; a card
// then reads only its own records. For the cards of a whole company.
#include <array>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "archive/archivestate.h"
#include "archive/recordfile.h"

namespace dosber {

class cardindex {
 public:
  // The files of the last company load's folder, in the layouts of its year.
  explicit cardindex(const archivestate& state);
  ~cardindex();
  cardindex(const cardindex&) = delete;
  cardindex& operator=(const cardindex&) = delete;

  // The card data of the employee table's current row, exactly as
  // loadcarddata reads it (without progress): the card tables rebuilt and
  // filled. A file that failed while being indexed fails here, in the same
  // step as it would have.
  void load(archivestate& state, const memtable& employees);

 private:
  struct file;
  std::vector<std::unique_ptr<file>> files_;  // kinap.dat, karton.dat, kikarton.dat
};

}  // namespace dosber
