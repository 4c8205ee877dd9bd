// The command line of quenlor-cli, parsed with CLI11, and its dispatch to
// the commands.
#pragma once

#include <string>
#include <vector>

// Args are the arguments after the program's name. Answers the exit status.
int RunCommandLine(const std::vector<std::wstring>& Args);
