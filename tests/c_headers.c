/* C callers include the same headers as C++ ones: this must compile as C. */
#include <korvane/korvane.h>
#ifndef _WIN32
#include <korvane/platform.h>
#endif

int korvane_c_headers_compile(void) { return (int)sizeof(NUMBER) + (int)sizeof(WCHAR); }
