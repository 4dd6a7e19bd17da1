// The clipboard as X's CLIPBOARD selection: CF_TEXT this process sets is offered as
// UTF-8 (and Latin-1 STRING) to other programs; text another program holds is fetched as
// UTF-8 when asked for. Transfers in pieces (INCR) are not taken: they count as no text.
#include "user32/clipboard_share.h"
#include "x11/x11_state.h"

#include <X11/Xatom.h>

#include <chrono>
#include <climits>
#include <vector>

namespace kw::x11 {
namespace {

constexpr auto kAnswerWithin = std::chrono::seconds(2);

// Latin-1 for STRING: characters outside it become '?'.
std::string latin1Of(const std::string& utf8) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::string out;
  std::vector<WCHAR> buffer(static_cast<size_t>(units > 0 ? units : 0));
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), buffer.data(), units);
  for (WCHAR c : buffer) out += c < 0x100 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

void X11Driver::clipboardChanged() {
  XLock lock(*this);
  if (lost) return;
  XSetSelectionOwner(display, atoms.clipboard, selectionWindow, CurrentTime);
  XFlush(display);
}

bool X11Driver::otherOffersText() {
  XLock lock(*this);
  if (lost) return false;
  const ::Window owner = XGetSelectionOwner(display, atoms.clipboard);
  return owner != None && owner != selectionWindow;
}

bool X11Driver::otherText(std::string& text) {
  QuietPipe quiet;
  std::unique_lock<std::mutex> lock(mutex);
  if (lost) return false;
  const ::Window owner = XGetSelectionOwner(display, atoms.clipboard);
  if (owner == None || owner == selectionWindow) return false;
  const unsigned long before = selectionAnswers;
  XConvertSelection(display, atoms.clipboard, atoms.utf8String, atoms.property, selectionWindow, CurrentTime);
  XFlush(display);
  // The event thread sees the answer; an owner that never answers costs the wait, no more.
  if (!selectionArrived.wait_for(lock, kAnswerWithin, [&] { return selectionAnswers != before || lost.load(); }) ||
      lost || !selectionGiven)
    return false;
  Atom type;
  int format;
  unsigned long count, left;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, selectionWindow, atoms.property, 0, LONG_MAX / 4, True, AnyPropertyType, &type,
                         &format, &count, &left, &data) != Success)
    return false;
  const bool usable = data && format == 8 && type != atoms.incr;
  const std::string utf8 = usable ? std::string(reinterpret_cast<char*>(data), count) : std::string();
  if (data) XFree(data);
  lock.unlock();
  if (!usable) return false;
  text = fromUtf8(utf8);
  return true;
}

bool X11Driver::selectionEvent(XEvent& event) {
  switch (event.type) {
    case SelectionNotify: {
      if (event.xselection.requestor != selectionWindow) return false;
      std::lock_guard<std::mutex> lock(mutex);
      ++selectionAnswers;
      selectionGiven = event.xselection.property != None;
      selectionArrived.notify_all();
      return true;
    }
    case SelectionClear:
      if (event.xselectionclear.window != selectionWindow) return false;
      user32::clipboardTakenElsewhere();
      return true;
    case SelectionRequest: {
      const XSelectionRequestEvent& r = event.xselectionrequest;
      if (r.owner != selectionWindow) return false;
      std::string held;
      const bool have = r.selection == atoms.clipboard && user32::heldClipboardText(&held);
      XEvent reply{};
      reply.xselection = {SelectionNotify, 0, True, r.display, r.requestor, r.selection, r.target, None, r.time};
      const Atom property = r.property != None ? r.property : r.target;  // as old clients ask
      XLock lock(*this);
      if (lost) return true;
      if (have && r.target == atoms.targets) {
        const Atom offered[] = {atoms.targets, atoms.utf8String, XA_STRING};
        XChangeProperty(display, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
        reply.xselection.property = property;
      } else if (have && (r.target == atoms.utf8String || r.target == XA_STRING)) {
        const std::string utf8 = toUtf8(held);
        const std::string bytes = r.target == XA_STRING ? latin1Of(utf8) : utf8;
        XChangeProperty(display, r.requestor, property, r.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
        reply.xselection.property = property;
      }
      XSendEvent(display, r.requestor, False, NoEventMask, &reply);
      XFlush(display);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace kw::x11
