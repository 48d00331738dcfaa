#pragma once
// The employee table: one row per employment record of one company and
// archive year, 44 fields in a fixed order, ordered by "nev;azon;bdatum"
// in Hungarian alphabetical order.
#include <array>
#include <string>
#include <string_view>

#include "table/table.h"

namespace dosber {

struct employeefield {
  const char* name;
  fieldtype type;
  int size;  // UTF-8 bytes for text fields
};

inline constexpr std::array<employeefield, 44> employeefields{{
    {"azon", fieldtype::text, 11},       {"nev", fieldtype::text, 40},
    {"szulido", fieldtype::text, 10},    {"szulhely", fieldtype::text, 40},
    {"szerv", fieldtype::text, 20},      {"munkakor", fieldtype::text, 30},
    {"jogvkod1", fieldtype::text, 1},    {"jogvnev1", fieldtype::text, 15},
    {"jogvkod2", fieldtype::text, 15},   {"jogvnev2", fieldtype::text, 15},
    {"alkmin", fieldtype::text, 3},      {"alkminnev", fieldtype::text, 20},
    {"berforma", fieldtype::text, 15},   {"haviber", fieldtype::floating, 0},
    {"oraber", fieldtype::floating, 0},  {"ridon", fieldtype::floating, 0},
    {"ridoh", fieldtype::floating, 0},   {"mrend", fieldtype::text, 15},
    {"lanynev", fieldtype::text, 40},    {"anyanev", fieldtype::text, 40},
    {"feor", fieldtype::text, 8},        {"bdatum", fieldtype::text, 10},
    {"kdatum", fieldtype::text, 10},     {"taj", fieldtype::text, 11},
    {"adoazon", fieldtype::text, 10},    {"mnypkezd", fieldtype::text, 10},
    {"mnypbef", fieldtype::text, 10},    {"maxnyjalap", fieldtype::floating, 0},
    {"lenyjalap", fieldtype::floating, 0}, {"ignyjalap", fieldtype::floating, 0},
    {"nyjtavnap", fieldtype::integer, 0}, {"eho1", fieldtype::floating, 0},
    {"eho2", fieldtype::floating, 0},    {"eho3", fieldtype::floating, 0},
    {"eho4", fieldtype::floating, 0},    {"eho5", fieldtype::floating, 0},
    {"eho6", fieldtype::floating, 0},    {"eho7", fieldtype::floating, 0},
    {"eho8", fieldtype::floating, 0},    {"eho9", fieldtype::floating, 0},
    {"eho10", fieldtype::floating, 0},   {"eho11", fieldtype::floating, 0},
    {"eho12", fieldtype::floating, 0},   {"archiv", fieldtype::text, 1},
}};

// A table for employees: text sizes in UTF-8 bytes, Hungarian collation.
inline memtable makeemployeetable() { return memtable(textunit::bytes, collation::hungarian); }

// Drops the table's fields and rows and defines it anew, empty and open.
void rebuildemployeetable(memtable& table);

// The name filter: rows whose nev contains the pattern, letters compared
// after Unicode case folding (accents are not folded). An empty pattern lets
// no row pass. A quote is an ordinary character.
void filterbyname(memtable& table, std::string_view pattern);

}  // namespace dosber
