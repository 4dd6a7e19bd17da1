/* korvane: the support library's whole exported interface. */
#ifndef KORVANE_KORVANE_H
#define KORVANE_KORVANE_H

#include "api.h"
#include "win32.h"
#include "intl.h"
#include "memory.h"
#include "containers.h"
#include "files.h"
#include "dialogs.h"
#include "fonts.h"
#include "frame.h"
#include "print.h"
#include "number.h"
#include "settings.h"
#include "format.h"
#include "datetime.h"
#include "masks.h"

#endif
