// Device modes of the built-in driver: a printer's default and the merge of a caller's
// wishes into it.
#pragma once

#include "winspool/printers.h"

namespace kw::winspool {

// The fields every device mode of this driver carries.
DWORD supportedFields(const Printer& printer);
DEVMODEA defaultDevMode(const Printer& printer);
// The fields that `input` names in dmFields, within its dmSize, taken into `mode` when
// the printer can do them. False for an input too short to hold dmFields.
bool mergeDevMode(const Printer& printer, const DEVMODEA& input, DEVMODEA& mode);
// A caller's device mode, read no further than its own dmSize says; false for null or one
// too short to hold dmFields.
bool readDevMode(const DEVMODEA* input, DEVMODEA& copy);
// The paper of a code, or null when the printer does not offer it.
const Paper* paperOf(const Printer& printer, WORD code);
// A paper's form name: its name up to the size written after it ("A4", "B5 (JIS)").
std::string formName(const Paper& paper);

}  // namespace kw::winspool
