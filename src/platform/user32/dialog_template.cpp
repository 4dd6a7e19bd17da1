// Dialog templates: their binary form, read with every field bounded by the data's size.
#include "user32/dialog_template.h"

#include <cstdint>
#include <cstring>

namespace kw::user32 {

namespace {

class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  size_t at() const { return at_; }
  const BYTE* here() const { return data_ + at_; }
  void skip(size_t n) {
    if (size_ - at_ < n)
      ok_ = false;
    else
      at_ += n;
  }
  WORD word() {
    if (size_ - at_ < 2) {
      ok_ = false;
      return 0;
    }
    WORD w = static_cast<WORD>(data_[at_] | data_[at_ + 1] << 8);
    at_ += 2;
    return w;
  }
  DWORD dword() {
    DWORD lo = word();
    return lo | static_cast<DWORD>(word()) << 16;
  }
  short coordinate() { return static_cast<short>(word()); }
  BYTE byte() {
    if (size_ == at_) {
      ok_ = false;
      return 0;
    }
    return data_[at_++];
  }
  void alignTo4() {
    size_t misalign = (reinterpret_cast<uintptr_t>(data_) + at_) % 4;
    if (misalign) skip(4 - misalign);
  }
  // A zero-terminated UTF-16 string, converted to the ANSI code page.
  std::string text() {
    std::u16string wide;
    for (WORD w = word(); ok_ && w; w = word()) wide.push_back(static_cast<char16_t>(w));
    if (!ok_ || wide.empty()) return {};
    int n = WideCharToMultiByte(0, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(0, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
  }
  // A name field: 0 for none, 0xFFFF and a number, or a string.
  TemplateName name() {
    TemplateName n;
    if (size_ - at_ >= 2 && data_[at_] == 0xFF && data_[at_ + 1] == 0xFF) {
      at_ += 2;
      n.ordinal = word();
    } else {
      n.text = text();
    }
    return n;
  }

 private:
  const BYTE* data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

const char* controlClassName(int ordinal) {
  static const char* const names[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : "";
}

bool readDialogTemplate(const void* data, size_t size, DialogTemplate* out) {
  if (!data || !out) return false;
  Reader r(static_cast<const BYTE*>(data), size);
  DialogTemplate t;
  WORD version = r.word();
  WORD signature = r.word();
  // The extended form's signature with a version it does not know: not a template at all.
  if (signature == 0xFFFF && version != 1) return false;
  t.extended = version == 1 && signature == 0xFFFF;
  if (t.extended) {
    t.helpId = r.dword();
    t.exStyle = r.dword();
    t.style = r.dword();
  } else {
    t.style = static_cast<DWORD>(version) | static_cast<DWORD>(signature) << 16;
    t.exStyle = r.dword();
  }
  WORD count = r.word();
  t.x = r.coordinate();
  t.y = r.coordinate();
  t.cx = r.coordinate();
  t.cy = r.coordinate();
  t.menu = r.name();
  t.className = r.name();
  t.caption = r.text();
  if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
    t.hasFont = true;
    t.pointSize = r.word();
    if (t.extended) {
      t.weight = r.word();
      t.italic = r.byte();
      t.charSet = r.byte();
    }
    t.face = r.text();
  }
  for (WORD i = 0; i < count && r.ok(); ++i) {
    r.alignTo4();
    DialogItemTemplate item;
    if (t.extended) {
      item.helpId = r.dword();
      item.exStyle = r.dword();
      item.style = r.dword();
    } else {
      item.style = r.dword();
      item.exStyle = r.dword();
    }
    item.x = r.coordinate();
    item.y = r.coordinate();
    item.cx = r.coordinate();
    item.cy = r.coordinate();
    item.id = t.extended ? r.dword() : r.word();
    TemplateName cls = r.name();
    item.className = cls.ordinal >= 0 ? controlClassName(cls.ordinal) : cls.text;
    item.text = r.name();
    const BYTE* extra = r.here();
    WORD extraBytes = r.word();
    if (extraBytes) {
      item.creationData = extra;
      r.skip(extraBytes);
    }
    if (item.className.empty()) return false;
    t.items.push_back(std::move(item));
  }
  if (!r.ok()) return false;
  *out = std::move(t);
  return true;
}

DialogTemplateWriter::DialogTemplateWriter(DWORD style, short x, short y, short cx, short cy, const char* caption,
                                           WORD points, const char* face) {
  words_.reserve(256);
  dword(points ? style | DS_SETFONT : style & ~static_cast<DWORD>(DS_SETFONT));
  dword(0);  // extended style
  countAt_ = words_.size();
  words_.push_back(0);
  for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the dialog class
  text(caption);
  if (points) {
    words_.push_back(points);
    text(face);
  }
}

void DialogTemplateWriter::dword(DWORD v) {
  words_.push_back(LOWORD(v));
  words_.push_back(HIWORD(v));
}

// As UTF-16, from the ANSI code page.
void DialogTemplateWriter::text(const char* s) {
  int n = s && *s ? MultiByteToWideChar(0, 0, s, -1, nullptr, 0) : 0;
  if (n > 1) {
    std::u16string wide(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(0, 0, s, -1, reinterpret_cast<LPWSTR>(wide.data()), n);
    for (int i = 0; i < n - 1; ++i) words_.push_back(static_cast<WORD>(wide[static_cast<size_t>(i)]));
  }
  words_.push_back(0);
}

void DialogTemplateWriter::add(WORD id, int classOrdinal, const char* className, const char* label, DWORD style,
                               short x, short y, short cx, short cy) {
  if (words_.size() % 2) words_.push_back(0);  // items start on DWORD boundaries
  dword(style | WS_CHILD);
  dword(0);
  for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
  words_.push_back(id);
  if (classOrdinal >= 0) {
    words_.push_back(0xFFFF);
    words_.push_back(static_cast<WORD>(classOrdinal));
  } else {
    text(className);
  }
  text(label);
  words_.push_back(0);  // no creation data
  ++words_[countAt_];
}

RECT dialogUnitsToPixels(const RECT& r, int baseX, int baseY) {
  return RECT{MulDiv(r.left, baseX, 4), MulDiv(r.top, baseY, 8), MulDiv(r.right, baseX, 4), MulDiv(r.bottom, baseY, 8)};
}

RECT templateRectToPixels(short x, short y, short cx, short cy, int baseX, int baseY) {
  int left = MulDiv(x, baseX, 4), top = MulDiv(y, baseY, 8);
  return RECT{left, top, left + MulDiv(cx, baseX, 4), top + MulDiv(cy, baseY, 8)};
}

int baseUnitX(int extentOfLetters) { return (extentOfLetters / 26 + 1) / 2; }

}  // namespace kw::user32
