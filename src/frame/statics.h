// Objects that the library's static initialisers create while it loads, in a fixed order
// (see statics.cpp), and destroy in reverse order after the last process detach.
#pragma once

#include <korvane/memory.h>

namespace kv {

// Lock of the date-string grammar's scanner and parser.
extern CRSect gGrammarLock;
// Lock of the regional settings cache, the calendar names and the date separators.
extern CRSect gSettingsLock;

// Thread-local item numbers taken at load.
struct ItemNumber {
  DWORD value;
  ItemNumber();
  ~ItemNumber();
  ItemNumber(const ItemNumber&) = delete;
  ItemNumber& operator=(const ItemNumber&) = delete;
};
extern ItemNumber gTokenizerItem;      // the number-picture tokenizer's currency affix cache
extern ItemNumber gFormatThreadItem;   // the format thread record
extern ItemNumber gPrintJobItem;       // the print job table

}  // namespace kv
