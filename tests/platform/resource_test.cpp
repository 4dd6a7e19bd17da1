// Resources by type and name, and the library's dialog templates in their binary form.
#include <korvane/platform.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/state.h"

namespace {

// The little-endian words of a template, read as Windows lays them out.
struct Reader {
  const BYTE* base;
  size_t at = 0;
  WORD word() {
    WORD w = static_cast<WORD>(base[at] | base[at + 1] << 8);
    at += 2;
    return w;
  }
  DWORD dword() {
    DWORD lo = word();
    return lo | static_cast<DWORD>(word()) << 16;
  }
  // A string field: "#<ordinal>" or the text (ASCII), "" for none.
  std::string field() {
    WORD w = word();
    if (w == 0xFFFF) return "#" + std::to_string(word());
    std::string s;
    for (; w; w = word()) s += static_cast<char>(w);
    return s;
  }
};

struct Item {
  WORD id;
  std::string cls, text;
  short x, y, cx, cy;
  DWORD style;
  bool operator==(const Item&) const = default;
};

struct Template {
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu, cls, caption, face;
  WORD points = 0;
  std::vector<Item> items;
};

Template readTemplate(const void* data) {
  Reader r{static_cast<const BYTE*>(data)};
  Template t;
  t.style = r.dword();
  t.exStyle = r.dword();
  WORD count = r.word();
  t.x = static_cast<short>(r.word());
  t.y = static_cast<short>(r.word());
  t.cx = static_cast<short>(r.word());
  t.cy = static_cast<short>(r.word());
  t.menu = r.field();
  t.cls = r.field();
  t.caption = r.field();
  if (t.style & 0x40) {  // DS_SETFONT
    t.points = r.word();
    t.face = r.field();
  }
  for (WORD i = 0; i < count; ++i) {
    r.at = (r.at + 3) & ~size_t{3};  // items start on DWORD boundaries
    Item item{};
    item.style = r.dword();
    EXPECT_EQ(r.dword(), 0u) << "extended style of item " << i;
    item.x = static_cast<short>(r.word());
    item.y = static_cast<short>(r.word());
    item.cx = static_cast<short>(r.word());
    item.cy = static_cast<short>(r.word());
    item.id = r.word();
    item.cls = r.field();
    item.text = r.field();
    EXPECT_EQ(r.word(), 0u) << "creation data of item " << i;
    t.items.push_back(item);
  }
  return t;
}

const void* dialogData(const char* name, DWORD* size) {
  HMODULE module = kv::gpState->module;
  HRSRC found = FindResourceA(module, name, RT_DIALOG);
  if (!found) return nullptr;
  *size = SizeofResource(module, found);
  return LockResource(LoadResource(module, found));
}

constexpr DWORD kChild = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr DWORD kTabStop = 0x00010000, kGroup = 0x00020000;
constexpr DWORD kPopupBox = 0x80000000 | 0x00C00000 | 0x00080000 | 0x10000000 | 0x80 | 0x40;
// WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT

TEST(Resources, PrinterSetupTemplate) {
  DWORD size = 0;
  const void* data = dialogData("prtsetup", &size);  // names are not case-sensitive
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % 4, 0u);
  EXPECT_EQ(size, 252u);
  Template t = readTemplate(data);
  EXPECT_EQ(t.style, kPopupBox);
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ((std::vector<short>{t.x, t.y, t.cx, t.cy}), (std::vector<short>{57, 37, 222, 80}));
  EXPECT_EQ(t.menu, "");
  EXPECT_EQ(t.cls, "");
  EXPECT_EQ(t.caption, "Printer Setup");
  EXPECT_EQ(t.points, 8);
  EXPECT_EQ(t.face, "Helv");
  const std::vector<Item> want{
      {0, "#130", "Printer:", 4, 2, 66, 9, kChild},                                  // SS_LEFT
      {900, "#131", "", 4, 14, 160, 66, kChild | 0x00800000 | 0x00200000 | 0x1},    // WS_BORDER, WS_VSCROLL, LBS_NOTIFY
      {1, "#128", "OK", 174, 14, 44, 14, kChild | kTabStop | 0x1},                  // BS_DEFPUSHBUTTON
      {2, "#128", "Cancel", 174, 30, 44, 14, kChild | kTabStop},
      {4, "#128", "&Setup...", 174, 55, 44, 14, kChild | kTabStop},
  };
  EXPECT_EQ(t.items, want);
}

TEST(Resources, PrintAbortTemplate) {
  DWORD size = 0;
  const void* data = dialogData("PrintAbortDialog", &size);
  ASSERT_NE(data, nullptr);
  Template t = readTemplate(data);
  EXPECT_EQ(t.style, kPopupBox);
  EXPECT_EQ((std::vector<short>{t.x, t.y, t.cx, t.cy}), (std::vector<short>{20, 24, 184, 83}));
  EXPECT_EQ(t.caption, "");  // the job's title is set when it starts
  EXPECT_EQ(t.points, 8);
  EXPECT_EQ(t.face, "Helv");
  const DWORD centred = kChild | 0x1;  // SS_CENTER
  const std::vector<Item> want{
      {2, "#128", "Cancel", 76, 64, 32, 14, kChild | kTabStop | kGroup | 0x1},
      {800, "#130", "", 1, 6, 183, 8, centred},
      {801, "#130", "", 1, 18, 183, 8, centred},
      {802, "#130", "", 1, 34, 183, 8, centred},
      {803, "#130", "", 0, 47, 183, 8, centred},
  };
  EXPECT_EQ(t.items, want);
  EXPECT_EQ(size, 186u);
}

BOOL WINAPI quietEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }

TEST(Resources, LookupByNumberAndNameAndRefusals) {
  alignas(4) static const BYTE blob[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  static const KW_DATA_RESOURCE data[] = {
      {"MYTYPE", "ABC", 0, 0, 3, blob},
      {nullptr, nullptr, 10, 7, 8, blob},  // RT_RCDATA 7
      {nullptr, "SEVEN", 10, 0, 5, blob},
  };
  static const KW_RESOURCES resources = {nullptr, 0, data, 3};
  HMODULE module = KwRegisterModule("resource-test", quietEntry, &resources);
  ASSERT_NE(module, nullptr);

  HRSRC named = FindResourceA(module, "abc", "MyType");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(SizeofResource(module, named), 3u);
  EXPECT_EQ(LockResource(LoadResource(module, named)), blob);
  HRSRC numbered = FindResourceA(module, "#7", RT_RCDATA);
  EXPECT_NE(numbered, nullptr);
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(7), "#10"), numbered);
  EXPECT_EQ(SizeofResource(module, numbered), 8u);
  EXPECT_EQ(SizeofResource(module, FindResourceA(module, "seven", RT_RCDATA)), 5u);

  EXPECT_EQ(FindResourceA(module, "#8", RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceA(module, "ab", "MYTYPE"), nullptr);
  EXPECT_EQ(FindResourceA(module, "ABCD", "MYTYPE"), nullptr);
  EXPECT_EQ(FindResourceA(module, "#7x", RT_RCDATA), nullptr);
  EXPECT_EQ(FindResourceA(module, "#70000", RT_RCDATA), nullptr);
  EXPECT_EQ(FindResourceA(module, "ABC", RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));

  // Handles of another module, or not handles at all, are refused.
  EXPECT_EQ(LoadResource(kv::gpState->module, named), nullptr);
  EXPECT_EQ(SizeofResource(kv::gpState->module, named), 0u);
  auto* inside = reinterpret_cast<HRSRC>(reinterpret_cast<BYTE*>(named) + 4);
  EXPECT_EQ(LoadResource(module, inside), nullptr);
  EXPECT_EQ(LoadResource(module, nullptr), nullptr);
  EXPECT_EQ(FreeResource(LoadResource(module, named)), FALSE);

  KwUnregisterModule(module);
  EXPECT_EQ(FindResourceA(module, "ABC", "MYTYPE"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(FindResourceA(nullptr, "PRTSETUP", RT_DIALOG), nullptr);
}

}  // namespace
