// The printers this host offers, as one list: those declared in win.ini and the queues of
// the CUPS server, each with what a Win32 driver would report of it.
#pragma once

#include <korvane/win32.h>

#include <optional>
#include <string>
#include <vector>

namespace kw::winspool {

struct Paper {
  WORD code;     // DMPAPER_*, or above DMPAPER_USER for a size of the printer's own
  LONG width;    // portrait, tenths of a millimetre
  LONG length;
  std::string name;
  std::string media;  // the CUPS media name, empty for the built-in table
};

enum class Kind {
  PdfFile,   // declared with a port that is a host path ending in ".pdf"
  Cups,      // a queue of the CUPS server
  Declared,  // declared with another port: listed and opened, its jobs have nowhere to go
};

struct Printer {
  std::string name;
  std::string driver;
  std::string ports;  // separated by commas, as PRINTER_INFO_2 gives them
  Kind kind = Kind::Declared;
  std::string location;
  std::string comment;
  std::vector<Paper> papers;
  WORD defaultPaper = DMPAPER_LETTER;
  short maxCopies = 1;  // copies the device makes itself
  bool duplex = false;
  bool color = true;
  bool isDefault = false;
};

// Every printer, the declared ones first (in win.ini order), then the CUPS queues whose
// names are not declared. Asking CUPS takes at most about a second when it does not answer.
// With `only`, just the queue of that name is asked for its papers and options (the rest
// are listed by name alone).
std::vector<Printer> listPrinters(const char* only = nullptr);
// One printer by name, not case-sensitive.
std::optional<Printer> findPrinter(const char* name);

// The built-in paper table: what a PDF file or a declared printer offers.
const std::vector<Paper>& standardPapers();
// The first of `papers` whose size matches within a millimetre, or null.
const Paper* paperOfSize(const std::vector<Paper>& papers, LONG width, LONG length);
// The paper the user's locale expects: Letter in the United States, Canada and the
// Spanish-speaking countries that use it, A4 elsewhere.
WORD localePaper();

// The CUPS queues, or none when no server answers; with `only`, the others by name alone.
std::vector<Printer> cupsPrinters(std::string& defaultName, const char* only);

// Printer names compare as win.ini names do: case aside, trail bytes as they are.
bool sameName(const std::string& a, const std::string& b);

}  // namespace kw::winspool
