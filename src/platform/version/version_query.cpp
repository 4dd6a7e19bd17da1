// VerQueryValueA: walks the nodes of a version block by the names of a sub-block path.
#include "internal.h"
#include "kernel32/host_path.h"
#include "version/version_block.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

size_t align4(size_t n) { return (n + 3) & ~size_t{3}; }

WORD wordAt(const BYTE* p) {
  WORD w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// One node, by offsets from the start of the block; every field checked against the
// bytes its parent (or the root's length) allows.
struct Node {
  size_t start = 0;
  size_t end = 0;  // start + wLength
  WORD valueLength = 0;
  WORD type = 0;
  std::u16string_view key;
  size_t value = 0;     // where the value starts
  size_t valueEnd = 0;  // where it ends (texts: 2 bytes a character)
  size_t children = 0;  // where the first child starts
};

bool readNode(const BYTE* block, size_t start, size_t limit, Node& node) {
  if (start + 6 > limit) return false;
  const size_t length = wordAt(block + start);
  if (length < 6 || start + length > limit) return false;
  node.start = start;
  node.end = start + length;
  node.valueLength = wordAt(block + start + 2);
  node.type = wordAt(block + start + 4);
  size_t k = start + 6;
  while (k + 2 <= node.end && wordAt(block + k) != 0) k += 2;
  if (k + 2 > node.end) return false;  // the key never ends
  node.key = std::u16string_view(reinterpret_cast<const char16_t*>(block + start + 6), (k - start - 6) / 2);
  node.value = start + align4(k + 2 - start);
  const size_t valueBytes = node.type == 1 ? size_t{node.valueLength} * 2 : node.valueLength;
  node.valueEnd = node.value + valueBytes;
  if (node.value > node.end) node.value = node.end;
  if (node.valueEnd > node.end) node.valueEnd = node.end;
  node.children = start + align4(node.valueEnd - start);
  return true;
}

bool sameName(std::u16string_view key, std::string_view name) {
  std::u16string wide;
  if (!kw::toWide(CP_ACP, name, wide, false) || wide.size() != key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    char16_t a = key[i], b = wide[i];
    if (a >= u'a' && a <= u'z') a = static_cast<char16_t>(a - u'a' + u'A');
    if (b >= u'a' && b <= u'z') b = static_cast<char16_t>(b - u'a' + u'A');
    if (a != b) return false;
  }
  return true;
}

bool findChild(const BYTE* block, const Node& parent, std::string_view name, Node& found) {
  for (size_t at = parent.children; at < parent.end;) {
    Node child;
    if (!readNode(block, at, parent.end, child)) return false;
    if (sameName(child.key, name)) {
      found = child;
      return true;
    }
    at = child.start + align4(child.end - child.start);
  }
  return false;
}

}  // namespace

KW32_API BOOL WINAPI VerQueryValueA(LPCVOID data, LPCSTR subBlock, LPVOID* value, PUINT length) {
  if (data == nullptr || subBlock == nullptr || value == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto* block = static_cast<const BYTE*>(data);
  Node node;
  if (!readNode(block, 0, wordAt(block), node)) return FALSE;
  const size_t rootLength = node.end;
  std::string_view path(subBlock);
  while (!path.empty()) {
    const size_t skip = path.find_first_not_of('\\');
    if (skip == std::string_view::npos) break;
    path.remove_prefix(skip);
    const size_t cut = path.find('\\');
    const std::string_view name = path.substr(0, cut);
    path.remove_prefix(cut == std::string_view::npos ? path.size() : cut);
    if (!findChild(block, node, name, node)) {
      SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
      return FALSE;
    }
  }
  if (node.type != 1) {
    if (node.valueLength == 0 || node.valueEnd - node.value < node.valueLength) return FALSE;
    *value = const_cast<BYTE*>(block + node.value);
    if (length) *length = node.valueLength;
    return TRUE;
  }
  // A text: its ANSI copy goes to the area behind the block, at the text's own offset.
  DWORD signature = 0;
  std::memcpy(&signature, block + kw::version::alignedBlock(rootLength), sizeof signature);
  if (signature != kw::version::kAnsiSignature) return FALSE;
  const size_t room = node.valueEnd - node.value;
  std::u16string_view text(reinterpret_cast<const char16_t*>(block + node.value), room / 2);
  text = text.substr(0, text.find(u'\0'));
  std::string ansi;
  if (!kw::fromWide(CP_ACP, text, ansi, '?', nullptr)) return FALSE;
  auto* copy = const_cast<BYTE*>(block) + kw::version::alignedBlock(rootLength) + 4 + node.value;
  if (room == 0) {
    static const char kEmpty[] = "";
    *value = const_cast<char*>(kEmpty);
    if (length) *length = 0;
    return TRUE;
  }
  if (ansi.size() >= room) ansi.resize(room - 1);
  std::memcpy(copy, ansi.c_str(), ansi.size() + 1);
  *value = copy;
  if (length) *length = static_cast<UINT>(ansi.size() + 1);
  return TRUE;
}
