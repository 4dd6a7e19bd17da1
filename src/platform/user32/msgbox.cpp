// MessageBoxA: a real modal dialog built at run time (text, icon, the style's buttons,
// the default one), unless a hook answers it or no one could.
#include <korvane/platform.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "user32/dialog_control.h"
#include "user32/dialog_state.h"
#include "user32/dialog_template.h"
#include "user32/msgbox_plan.h"
#include "user32/static_text.h"

namespace kw::user32 {

namespace {

std::atomic<KwMessageBoxHook> gHook{nullptr};

constexpr WORD kTextId = 0xFFFF;  // the text's static control, as Windows numbers it
constexpr short kMargin = 7, kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 4, kIconSize = 32;  // icon: pixels
constexpr WORD kPoints = 8;
constexpr char kFace[] = "MS Sans Serif";

struct Box {
  MessageBoxPlan plan;
};

// The text's lines, wrapped to at most five eighths of the screen, and their size in pixels.
std::vector<std::string> measureText(LPCSTR text, HFONT font, SIZE* size) {
  auto width = [&](std::string_view s) { return textWidth(font, s); };
  int widest = GetSystemMetrics(SM_CXSCREEN) * 5 / 8;
  std::vector<std::string> lines = wrapText(text, widest, width);
  int height = lineHeight(font);
  size->cx = 0;
  for (const std::string& line : lines) size->cx = std::max<LONG>(size->cx, width(line));
  size->cy = static_cast<LONG>(std::max<size_t>(lines.size(), 1)) * height;
  return lines;
}

// The box's template: icon and text side by side, the buttons centred below them.
DialogTemplateWriter buildTemplate(LPCSTR text, LPCSTR caption, const MessageBoxPlan& plan) {
  HFONT font = createDialogFont(kPoints, 400, false, 1, kFace);
  int baseX = 6, baseY = 13;
  measureBaseUnits(font, kPoints, &baseX, &baseY);
  SIZE pixels{};
  measureText(text, font, &pixels);
  DeleteObject(font);
  auto dluX = [&](LONG px) { return static_cast<short>((px * 4 + baseX - 1) / baseX); };
  auto dluY = [&](LONG px) { return static_cast<short>((px * 8 + baseY - 1) / baseY); };
  short iconW = plan.icon ? static_cast<short>(dluX(kIconSize) + kMargin) : 0;
  short textW = static_cast<short>(dluX(pixels.cx) + 2), textH = dluY(pixels.cy);
  short bodyH = std::max<short>(textH, plan.icon ? dluY(kIconSize) : 0);
  short buttons = static_cast<short>(plan.buttons.size());
  short rowW = static_cast<short>(buttons * kButtonWidth + (buttons - 1) * kButtonGap);
  short cx = static_cast<short>(std::max<int>(iconW + textW, rowW) + 2 * kMargin);
  short cy = static_cast<short>(kMargin + bodyH + kMargin + kButtonHeight + kMargin);
  DialogTemplateWriter t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, 0, cx, cy,
                         caption ? caption : "Error", kPoints, kFace);
  short textTop = static_cast<short>(kMargin + (bodyH - textH) / 2);
  t.add(kTextId, 0x82, nullptr, text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP,
        static_cast<short>(kMargin + iconW), textTop, textW, textH);
  short x = static_cast<short>((cx - rowW) / 2), y = static_cast<short>(cy - kMargin - kButtonHeight);
  for (size_t i = 0; i < plan.buttons.size(); ++i) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | (i == plan.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                  (i == 0 ? WS_GROUP : 0);
    t.add(static_cast<WORD>(plan.buttons[i].id), 0x80, nullptr, plan.buttons[i].label, style, x, y, kButtonWidth,
          kButtonHeight);
    x = static_cast<short>(x + kButtonWidth + kButtonGap);
  }
  return t;
}

// The icon: a square of the kind's colour with its sign.
void paintIcon(HWND dialog, UINT icon) {
  ControlPaint p(dialog, nullptr);
  RECT at{kMargin * 2, kMargin * 2, kMargin * 2 + kIconSize, kMargin * 2 + kIconSize};
  COLORREF colour = icon == MB_ICONHAND          ? RGB(192, 0, 0)
                    : icon == MB_ICONEXCLAMATION ? RGB(224, 176, 0)
                                                 : RGB(0, 64, 192);
  const char* sign = icon == MB_ICONHAND ? "X" : icon == MB_ICONQUESTION ? "?" : icon == MB_ICONEXCLAMATION ? "!" : "i";
  p.fill(at, colour);
  p.text(static_cast<int>(at.left) + kIconSize / 2 - 3, static_cast<int>(at.top) + kIconSize / 2 - 7, sign,
         colours::kWindow);
}

INT_PTR CALLBACK boxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<Box*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      box = reinterpret_cast<Box*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      int id = box->plan.defaultId();
      SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(id), 0);
      SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
      return FALSE;
    }
    case WM_COMMAND: {
      if (!box) return FALSE;
      int id = LOWORD(wParam);
      if (id == IDCANCEL && box->plan.escapeId) {
        EndDialog(dialog, box->plan.escapeId);
        return TRUE;
      }
      for (const MessageBoxButton& b : box->plan.buttons)
        if (b.id == id) EndDialog(dialog, id);
      return TRUE;
    }
    case WM_PAINT:
      if (!box || !box->plan.icon) return FALSE;
      paintIcon(dialog, box->plan.icon);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

}  // namespace kw::user32

KW32_API void WINAPI KwSetMessageBoxHook(KwMessageBoxHook hook) { kw::user32::gHook.store(hook); }

KW32_API int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  using namespace kw::user32;
  Box box{planMessageBox(type)};
  if (box.plan.buttons.empty()) {
    SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  if (KwMessageBoxHook hook = gHook.load()) return hook(owner, text, caption, type);
  DialogTemplateWriter t = buildTemplate(text ? text : "", caption, box.plan);
  bool abandoned = false;
  INT_PTR result = runModal(nullptr, t.data(), t.size(), owner, boxProc, reinterpret_cast<LPARAM>(&box), &abandoned);
  if (abandoned) {
    // Nothing drives this process (no display, hook or timer): say what the box says and
    // take its default button rather than wait for ever.
    std::fprintf(stderr, "%s\n", messageBoxReport(caption, text, box.plan).c_str());
    std::fflush(stderr);
    return box.plan.defaultId();
  }
  return result < 0 ? 0 : static_cast<int>(result);
}
