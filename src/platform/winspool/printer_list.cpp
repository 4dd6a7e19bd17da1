// The one list of printers: win.ini's declarations merged with the CUPS queues.
#include "winspool/printers.h"
#include "kernel32/profile_file.h"

#include <strings.h>

#include <string_view>

namespace kw::winspool {

namespace {

std::string trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return std::string(s);
}

std::string profileString(const char* section, const char* key) {
  char value[1024];
  GetProfileStringA(section, key, "", value, sizeof value);
  return value;
}

bool isPdfPath(const std::string& port) {
  return port.size() > 4 && port.front() == '/' && strcasecmp(port.c_str() + port.size() - 4, ".pdf") == 0;
}

// "driver,port[,port...]" of section "devices".
std::optional<Printer> declaredPrinter(const std::string& name, const std::string& value) {
  const size_t comma = value.find(',');
  if (comma == std::string::npos) return std::nullopt;
  Printer p;
  p.name = name;
  p.driver = trimmed(std::string_view(value).substr(0, comma));
  std::string_view rest = std::string_view(value).substr(comma + 1);
  std::vector<std::string> ports;
  while (true) {
    const size_t next = rest.find(',');
    std::string port = trimmed(rest.substr(0, next));
    if (!port.empty()) ports.push_back(port);
    if (next == std::string_view::npos) break;
    rest.remove_prefix(next + 1);
  }
  if (p.driver.empty() || ports.empty()) return std::nullopt;
  for (const std::string& port : ports) p.ports += (p.ports.empty() ? "" : ",") + port;
  p.kind = isPdfPath(ports.front()) ? Kind::PdfFile : Kind::Declared;
  p.papers = standardPapers();
  p.defaultPaper = localePaper();
  p.maxCopies = 1;
  return p;
}

std::vector<Printer> declaredPrinters() {
  std::vector<Printer> found;
  std::vector<char> keys(32768);
  const DWORD n = GetProfileStringA("devices", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()));
  for (const char* key = keys.data(); key < keys.data() + n && *key; key += std::string_view(key).size() + 1) {
    if (auto p = declaredPrinter(key, profileString("devices", key))) found.push_back(std::move(*p));
  }
  return found;
}

}  // namespace

bool sameName(const std::string& a, const std::string& b) { return kw::sameProfileName(a, b, GetACP()); }

std::vector<Printer> listPrinters(const char* only) {
  std::vector<Printer> printers = declaredPrinters();
  std::string cupsDefault;
  for (Printer& q : cupsPrinters(cupsDefault, only)) {
    bool declared = false;
    for (const Printer& p : printers) declared = declared || sameName(p.name, q.name);
    if (!declared) printers.push_back(std::move(q));
  }
  // The default: "device" of section "windows" ("name,driver,port") when it names one of
  // them, else the CUPS server's own default.
  const std::string device = profileString("windows", "device");
  std::string wanted = trimmed(std::string_view(device).substr(0, device.find(',')));
  bool known = false;
  for (const Printer& p : printers) known = known || sameName(p.name, wanted);
  if (!known) wanted = cupsDefault;
  for (Printer& p : printers) p.isDefault = !wanted.empty() && sameName(p.name, wanted);
  return printers;
}

std::optional<Printer> findPrinter(const char* name) {
  if (name == nullptr || *name == '\0') return std::nullopt;
  for (Printer& p : listPrinters(name))
    if (sameName(p.name, name)) return std::move(p);
  return std::nullopt;
}

}  // namespace kw::winspool
