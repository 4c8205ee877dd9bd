// Entry of quenlor-cli: the arguments as UTF-16 on Windows and as UTF-8
// elsewhere, handed on as the engine's texts.
#include <exception>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Console.h"
#include "Commands.h"
#include "platform/Platform.h"

namespace {

int Main(std::vector<std::wstring> args) {
  try {
    return RunCommandLine(args);
  } catch (const std::exception& error) {
    console::Err(L"quenlor-cli: " + platform::FromUtf8(error.what()) + L"\n");
    return ExitFailed;
  }
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Main(std::vector<std::wstring>(argv + 1, argv + argc)); }
#else
int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(platform::FromUtf8(argv[i]));
  return Main(args);
}
#endif
