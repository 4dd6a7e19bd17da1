// The Japanese imperial eras with the day numbers of their first days.
#include "format/date_era.h"

namespace kv {

const EraRecord kEraTable[] = {
    {"\x96\xBE\x8E\xA1", 2403605, 'M'},  // Meiji, 29 September 1868
    {"\x91\xE5\x90\xB3", 2419614, 'T'},  // Taisho, 30 July 1912
    {"\x8F\xBA\x98\x61", 2424875, 'S'},  // Showa, 25 December 1926
    {"\x95\xBD\x90\xAC", 2447535, 'H'},  // Heisei, 8 January 1989
    {"\x97\xDF\x98\x61", 2458605, 'R'},  // Reiwa, 1 May 2019
    {"", 0, '\0'},
};

}  // namespace kv
