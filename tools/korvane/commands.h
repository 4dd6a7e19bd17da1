// The command families of the korvane tool; each takes the arguments after its name.
#ifndef KORVANE_TOOL_COMMANDS_H
#define KORVANE_TOOL_COMMANDS_H

#include "common.h"

namespace kvt {

int numberCommand(Args args);
int dateCommand(Args args);
int maskCommand(Args args);
int maskEditCommand(Args args);
int settingsCommand(Args args);
int charsetCommand(Args args);
int demoCommand(Args args);
int printersCommand(Args args);
int printCommand(Args args);
int versionCommand(Args args);
int fontsCommand(Args args);
int messageCommand(Args args);

// Refuses (with a message) a mask the library does not take; a leading "^" is allowed.
bool checkMask(const std::string& mask, Reporter& report);
// The typed characters of masked text (FMTUnmaskInput); false when the text does not fit.
bool unmask(const std::string& mask, const std::string& text, std::string& typed);

// Runs a command line without the program name ("number", "format", ...).
int runCommand(const Args& args);

}  // namespace kvt

#endif
