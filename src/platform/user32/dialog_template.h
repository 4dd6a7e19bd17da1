// Reading the binary dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) that the resource
// compiler writes, and the arithmetic of dialog units.
#pragma once

#include <korvane/win32.h>

#include <string>
#include <vector>

namespace kw::user32 {

// A name or a number, as templates give menus, classes and texts.
struct TemplateName {
  std::string text;    // ANSI, when not a number
  int ordinal = -1;    // the number, or -1
  bool empty() const { return ordinal < 0 && text.empty(); }
};

struct DialogItemTemplate {
  DWORD style = 0, exStyle = 0, helpId = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string className;  // the ordinals of the standard controls become their names
  TemplateName text;
  const BYTE* creationData = nullptr;  // its size word (the bytes that follow it), or null
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0, exStyle = 0, helpId = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu, className;
  std::string caption;
  bool hasFont = false;
  WORD pointSize = 0, weight = 0;
  BYTE italic = 0, charSet = 0;
  std::string face;
  std::vector<DialogItemTemplate> items;
};

// Writes a DLGTEMPLATE (the plain form) in memory, for dialogs built at run time.
class DialogTemplateWriter {
 public:
  // The dialog; a font (points > 0) adds DS_SETFONT.
  DialogTemplateWriter(DWORD style, short x, short y, short cx, short cy, const char* caption, WORD points = 0,
                       const char* face = nullptr);
  // One control of a class ordinal (0x80 Button ... 0x85 ComboBox) or class name.
  void add(WORD id, int classOrdinal, const char* className, const char* text, DWORD style, short x, short y,
           short cx, short cy);
  // The template, DWORD-aligned.
  const void* data() const { return words_.data(); }
  size_t size() const { return words_.size() * sizeof(WORD); }

 private:
  void dword(DWORD v);
  void text(const char* s);
  std::vector<WORD> words_;
  size_t countAt_ = 0;
};

// Reads a template of at most `size` bytes (SIZE_MAX when the caller does not know);
// false when it is malformed or runs past its size.
bool readDialogTemplate(const void* data, size_t size, DialogTemplate* out);

// The name of a standard control class by its template ordinal (0x80 to 0x85), or "".
const char* controlClassName(int ordinal);

// Dialog units to pixels: x by a quarter and y by an eighth of the base units, rounded
// as MulDiv rounds.
RECT dialogUnitsToPixels(const RECT& r, int baseX, int baseY);
// A template's position and size in pixels, as windows are placed from templates: the
// corner and the extent each scaled, so a size does not depend on where it sits.
RECT templateRectToPixels(short x, short y, short cx, short cy, int baseX, int baseY);

// The base units of a font: the average width of the 52 Latin letters (rounded) and the
// font's height.
int baseUnitX(int extentOfLetters);

}  // namespace kw::user32
