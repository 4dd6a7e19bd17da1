// The queues of the CUPS server the host uses (libcups), described as a driver would.
#include <cups/cups.h>
#include <cups/pwg.h>

#include <cstring>
#include <memory>

#include "kernel32/host_path.h"
#include "winspool/devmode.h"
#include "winspool/printers.h"

namespace kw::winspool {

namespace {

// A server that does not answer gets this long before its queues count as absent.
constexpr int kConnectMilliseconds = 1000;

struct HttpClose {
  void operator()(http_t* http) const { httpClose(http); }
};
struct DestsFree {
  int count;
  void operator()(cups_dest_t* dests) const { cupsFreeDests(count, dests); }
};
struct InfoFree {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

// CUPS speaks UTF-8; callers of the A functions get the ANSI code page.
// The server the host uses, reached within the time limit, or null.
std::unique_ptr<http_t, HttpClose> connectToServer() {
  cupsSetServer(nullptr);  // libcups keeps the server per thread: read the setting afresh
  return std::unique_ptr<http_t, HttpClose>(
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMilliseconds, nullptr));
}

std::string option(const cups_dest_t& dest, const char* name) {
  const char* value = cupsGetOption(name, dest.num_options, dest.options);
  return value ? kw::ansiFromHost(value) : "";
}

// A CUPS size in hundredths of a millimetre as a paper in tenths.
Paper paperFromCups(const cups_size_t& size, WORD ownCode) {
  Paper p;
  p.width = (size.width + 5) / 10;
  p.length = (size.length + 5) / 10;
  p.media = size.media;
  if (const Paper* known = paperOfSize(standardPapers(), p.width, p.length)) {
    // A PPD gives sizes in whole points: a known paper keeps its exact size.
    p.code = known->code;
    p.name = known->name;
    p.width = known->width;
    p.length = known->length;
  } else {
    p.code = ownCode;
    p.name = kw::ansiFromHost(size.media);
  }
  return p;
}

void describe(http_t* http, cups_dest_t* dest, Printer& p) {
  std::unique_ptr<cups_dinfo_t, InfoFree> info(cupsCopyDestInfo(http, dest));
  p.papers.clear();
  if (info) {
    const int count = cupsGetDestMediaCount(http, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT);
    WORD ownCode = DMPAPER_USER + 1;
    for (int i = 0; i < count; ++i) {
      cups_size_t size;
      if (!cupsGetDestMediaByIndex(http, dest, info.get(), i, CUPS_MEDIA_FLAGS_DEFAULT, &size)) continue;
      Paper paper = paperFromCups(size, ownCode);
      bool seen = false;
      for (const Paper& q : p.papers) seen = seen || q.code == paper.code;
      if (seen) continue;
      if (paper.code == ownCode) ++ownCode;
      p.papers.push_back(std::move(paper));
    }
    // The queue's default paper: the user's own "media" option, else the server's
    // media-default (cupsGetDestMediaDefault would answer with the client locale's paper).
    std::string media = option(*dest, "media");
    if (ipp_attribute_t* d = cupsFindDestDefault(http, dest, info.get(), "media"); media.empty() && d)
      media = ippGetString(d, 0, nullptr) ? ippGetString(d, 0, nullptr) : "";
    if (pwg_media_t* pwg = media.empty() ? nullptr : pwgMediaForPWG(media.c_str())) {
      if (const Paper* q = paperOfSize(p.papers, (pwg->width + 5) / 10, (pwg->length + 5) / 10))
        p.defaultPaper = q->code;
    }
    if (ipp_attribute_t* copies = cupsFindDestSupported(http, dest, info.get(), "copies")) {
      int upper = 1;
      ippGetRange(copies, 0, &upper);
      p.maxCopies = static_cast<short>(upper < 1 ? 1 : upper > 9999 ? 9999 : upper);
    }
    p.duplex = cupsCheckDestSupported(http, dest, info.get(), CUPS_SIDES, CUPS_SIDES_TWO_SIDED_PORTRAIT) != 0;
    p.color = cupsCheckDestSupported(http, dest, info.get(), CUPS_PRINT_COLOR_MODE, CUPS_PRINT_COLOR_MODE_COLOR) != 0;
  }
  if (p.papers.empty()) {
    p.papers = standardPapers();
    p.defaultPaper = localePaper();
  } else if (!paperOf(p, p.defaultPaper)) {
    p.defaultPaper = p.papers.front().code;
  }
}

}  // namespace

std::vector<Printer> cupsPrinters(std::string& defaultName, const char* only) {
  defaultName.clear();
  auto http = connectToServer();
  if (!http) return {};
  cups_dest_t* raw = nullptr;
  const int count = cupsGetDests2(http.get(), &raw);
  std::unique_ptr<cups_dest_t, DestsFree> dests(raw, DestsFree{count});
  std::vector<Printer> printers;
  for (int i = 0; i < count; ++i) {
    cups_dest_t& dest = raw[i];
    if (dest.instance) continue;  // instances are option sets of a queue, not printers
    Printer p;
    p.name = kw::ansiFromHost(dest.name);
    p.kind = Kind::Cups;
    p.driver = option(dest, "printer-make-and-model");
    if (p.driver.empty()) p.driver = "CUPS";
    // The queue's own name is its port: jobs go to it.
    p.ports = "CUPS:" + p.name;
    p.location = option(dest, "printer-location");
    p.comment = option(dest, "printer-info");
    if (!only || sameName(p.name, only)) describe(http.get(), &dest, p);
    if (dest.is_default) defaultName = p.name;
    printers.push_back(std::move(p));
  }
  return printers;
}

bool sendToCups(const std::string& queue, const std::string& pdf, const std::string& title, int copies) {
  auto http = connectToServer();
  if (!http) return false;
  cups_option_t* options = nullptr;
  int count = 0;
  const std::string copiesText = std::to_string(copies < 1 ? 1 : copies);
  count = cupsAddOption("copies", copiesText.c_str(), count, &options);
  count = cupsAddOption("document-format", "application/pdf", count, &options);
  const int job =
      cupsPrintFile2(http.get(), queue.c_str(), pdf.c_str(), title.empty() ? "korvane" : title.c_str(), count, options);
  cupsFreeOptions(count, options);
  return job > 0;
}

}  // namespace kw::winspool
