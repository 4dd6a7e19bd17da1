// A message box of two string resources, the text formatted with one number.
#include <korvane/dialogs.h>

namespace {

constexpr int kTextRoom = 200;
constexpr int kCaptionRoom = 40;
// wsprintfA never writes more than this, whatever the text's fields ask for.
constexpr int kFormattedRoom = 1024;

}  // namespace

extern "C" {

KV_API int KV_CALL DlgMessageBoxString(HINSTANCE instance, HWND owner, UINT textId, UINT captionId, DWORD argument,
                                       UINT style) {
  char text[kTextRoom] = "";
  char caption[kCaptionRoom] = "";
  if (LoadStringA(instance, textId, text, kTextRoom) <= 0) text[0] = '\0';
  if (LoadStringA(instance, captionId, caption, kCaptionRoom) <= 0) caption[0] = '\0';
  char formatted[kFormattedRoom];
  wsprintfA(formatted, text, argument);
  return MessageBoxA(owner, formatted, caption, style);
}

}  // extern "C"
