// The internal-error box: the source file (without its two-character extension) and line.
#include <korvane/frame.h>

#include <cstring>

namespace {

constexpr int kTextRoom = 200;
constexpr int kLineRoom = 12;

// The bytes of the whole characters of `text` that fit in `room` bytes.
int wholeCharacters(LPCSTR text, int room) {
  LPCSTR end = text;
  while (*end != '\0') {
    LPCSTR next = CharNextA(end);
    if (next - text > room) break;
    end = next;
  }
  return static_cast<int>(end - text);
}

}  // namespace

extern "C" {

KV_API int KV_CALL AssertBox(const char* file, int line) {
  char number[kLineRoom];
  const int numberLength = wsprintfA(number, "%d", line);
  // The text is bounded by its buffer: a file name of any length used to run past it.
  static constexpr char kPrefix[] = "Internal Error: ";
  char text[kTextRoom];
  std::memcpy(text, kPrefix, sizeof kPrefix);
  int length = static_cast<int>(sizeof kPrefix) - 1;
  if (file != nullptr) {
    // Room for the two characters that are dropped next, the number and the terminator.
    const int taken = wholeCharacters(file, kTextRoom - 1 - numberLength + 2 - length);
    std::memcpy(text + length, file, static_cast<size_t>(taken));
    length += taken;
    text[length] = '\0';
  }
  // The last two characters go: "print.c" reads "print".
  for (int i = 0; i < 2 && length > 0; ++i) length = static_cast<int>(CharPrevA(text, text + length) - text);
  std::memcpy(text + length, number, static_cast<size_t>(numberLength) + 1);
  return MessageBoxA(GetActiveWindow(), text, "Korvane", MB_ICONHAND | MB_SYSTEMMODAL);
}

}  // extern "C"
