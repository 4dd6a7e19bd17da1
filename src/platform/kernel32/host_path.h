// Between Win32 names and host names: code-page conversions, the translation of Win32
// paths to host paths, and host error numbers as Win32 error codes. Shared by the file
// services and the C run-time path functions.
#pragma once

#include "internal.h"

#include <string>
#include <string_view>

namespace kw {

// A code page this platform converts: CP_ACP and CP_THREAD_ACP become the ANSI code page;
// 0 for one it does not know.
UINT resolveCodePage(UINT codePage);
// ANSI (or UTF-8) text to UTF-16. Undecodable bytes become '?' unless `strict`, in which
// case the result is false. False also when the host lacks the code page's converter.
bool toWide(UINT codePage, std::string_view text, std::u16string& out, bool strict);
// UTF-16 to ANSI (or UTF-8). Characters without a mapping become `defaultChar`
// and set `usedDefault`.
bool fromWide(UINT codePage, std::u16string_view text, std::string& out, char defaultChar, bool* usedDefault);

// A Win32 path as the host names the file. Backslashes and slashes both separate; the
// long-path prefix "\\?\" is taken off (ANSI names stay limited to MAX_PATH even with
// it, as on Windows); without it the full path must be shorter than MAX_PATH. Drive
// letters and network names have no host meaning and are refused. On refusal the result
// is false and the last error says why.
bool hostPathFromWide(std::u16string_view path, std::string& host);
// `limitLength` false: no MAX_PATH limit (for names that are only computed, not opened).
bool hostPathFromAnsi(const char* path, std::string& host, bool limitLength = true);
// The absolute form of a host path, with "." and ".." resolved by name (links are not
// followed) and repeated separators merged; a trailing separator stays.
std::string fullHostPath(const std::string& host);
// A host path (UTF-8) in the ANSI code page, for results handed back to ANSI callers.
std::string ansiFromHost(const std::string& host);

// The current directory as a host path (empty if it cannot be read).
std::string hostCurrentDirectory();

// The Win32 error for a failed host call on `host` (errno is `error`): a missing file is
// ERROR_FILE_NOT_FOUND when its directory exists, ERROR_PATH_NOT_FOUND otherwise.
DWORD win32ErrorFor(int error, const std::string& host);

}  // namespace kw
