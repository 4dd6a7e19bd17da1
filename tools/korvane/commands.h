// The command families of the korvane tool; each takes the arguments after its name.
#ifndef KORVANE_TOOL_COMMANDS_H
#define KORVANE_TOOL_COMMANDS_H

#include "common.h"

namespace kvt {

int numberCommand(Args args);
int dateCommand(Args args);
int maskCommand(Args args);
int settingsCommand(Args args);
int charsetCommand(Args args);
int demoCommand(Args args);
int printersCommand(Args args);
int printCommand(Args args);
int versionCommand(Args args);
int fontsCommand(Args args);

// Runs a command line without the program name ("number", "format", ...).
int runCommand(const Args& args);

}  // namespace kvt

#endif
