#pragma once

#include "app/data/RZTableTsv.h"

#include <vector>

class RZEditData;
class RZMagic;

// Between the document and the table's text form: the entries as plain values,
// the labels the spell list shows, and values read back put into an entry.
class RZTableExchange {
  public:
    static std::vector<RZTableTsv::Entry> entriesOf(const RZEditData* document);
    static RZTableTsv::Labels labels();
    // The fields the text form carries (the spell and level stay).
    static void store(const RZTableTsv::Entry& values, RZMagic* entry);
};
