#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <sstream>

#include "BlockSize.h"
#include "Console.h"
#include "Commands.h"
#include "platform/Platform.h"

namespace {

std::wstring Wide(const std::string& text) { return platform::FromUtf8(text); }

// -n COUNT and -s SIZE of split and plan; exactly one of them.
struct TPlanOptions {
  std::string Source;
  int Count = 0;
  std::string Size;
  CLI::Option* CountOption = nullptr;
  CLI::Option* SizeOption = nullptr;

  void AddTo(CLI::App& command) {
    command.add_option("SOURCE", Source, "The file to cut")->required();
    CountOption = command.add_option("-n,--count", Count, "Cut into COUNT blocks of one size (2 to 999)")
                      ->check(CLI::Range(2, 999))
                      ->type_name("COUNT");
    SizeOption = command
                     .add_option("-s,--size", Size,
                                 "Cut into blocks of SIZE bytes: a whole number, with K, M or G for binary "
                                 "kilo-, mega- and gigabytes, or one of " +
                                     BlockSizePresets())
                     ->check(CLI::Validator(
                         [](std::string& text) -> std::string {
                           const std::optional<int64_t> size = ParseBlockSize(text);
                           if (!size) return "not a block size: " + text;
                           if (*size == 0) return "a block size of 0 makes no parts";
                           return "";
                         },
                         ""))
                     ->type_name("SIZE");
    CountOption->excludes(SizeOption);
  }

  TPlanRequest Request(const std::string& command) const {
    if (!*CountOption && !*SizeOption) throw TInputError{Wide(command) + L": give -n COUNT or -s SIZE"};
    return {.Source = Wide(Source), .Count = *CountOption ? Count : 0,
            .BlockSize = *SizeOption ? *ParseBlockSize(Size) : 0};
  }
};

std::vector<std::string> Namings() { return {"quenlor", "numbered", "letters"}; }

void AddNamingOption(CLI::App& command, std::string& naming) {
  command.add_option("--series", naming, "How the parts are named: NAME.QuenlorSp0, NAME.001 or NAMEaa")
      ->check(CLI::IsMember(Namings()))
      ->type_name("quenlor|numbered|letters");
}

TSeriesNaming NamingOf(const std::string& name) {
  if (name == "numbered") return TSeriesNaming::Numbered;
  if (name == "letters") return TSeriesNaming::Letters;
  return TSeriesNaming::Quenlor;
}

int Run(CLI::App& app, const std::vector<std::string>& args) {
  app.require_subcommand(1);
  app.set_version_flag("--version", "quenlor-cli " QUENLOR_VERSION);

  CLI::App& split = *app.add_subcommand("split", "Cut a file into a numbered series of parts");
  TPlanOptions splitPlan;
  splitPlan.AddTo(split);
  std::string folder;
  bool force = false, quiet = false;
  split.add_option("-o,--output", folder, "Folder for the parts (default: the current folder)")->type_name("FOLDER");
  split.add_flag("--force", force, "Replace existing parts, script and record of the same name");
  split.add_flag("--quiet", quiet, "Draw no progress line");

  CLI::App& plan = *app.add_subcommand("plan", "Show how a file would be cut, without cutting it");
  TPlanOptions planPlan;
  planPlan.AddTo(plan);
  bool json = false;
  plan.add_flag("--json", json, "Print the plan as one JSON object");

  CLI::App& join = *app.add_subcommand("join", "Join a series of parts back into one file");
  std::string part, output, naming = "quenlor";
  bool joinForce = false, joinQuiet = false, removeParts = false;
  join.add_option("PART", part, "Any part of the series")->required();
  join.add_option("-o,--output", output, "The file to write (default: the series' name beside the parts)")
      ->type_name("OUTPUT");
  AddNamingOption(join, naming);
  join.add_flag("--force", joinForce, "Replace an existing output");
  join.add_flag("--quiet", joinQuiet, "Draw no progress line");
  join.add_flag("--remove-parts", removeParts,
                "Once the joined file has checked against the record, remove the parts, the rejoin scripts and "
                "the record");

  CLI::App& verify = *app.add_subcommand("verify", "Check every part of a series against its record");
  std::string verifyPart, verifyNaming = "quenlor";
  verify.add_option("PART", verifyPart, "Any part of the series")->required();
  AddNamingOption(verify, verifyNaming);

  // CLI11 would only miss a command here; the word at fault is named instead.
  if (!args.empty() && !args[0].empty() && args[0][0] != '-') {
    const auto commands = app.get_subcommands([](CLI::App*) { return true; });
    if (std::none_of(commands.begin(), commands.end(), [&](CLI::App* command) { return command->check_name(args[0]); }))
      throw TInputError{L"unknown command: " + Wide(args[0]) + L" (split, join, verify or plan)"};
  }

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  app.parse(reversed);

  if (split) return RunSplit({splitPlan.Request("split"), Wide(folder), force, quiet});
  if (join) return RunJoin({Wide(part), Wide(output), NamingOf(naming), joinForce, joinQuiet, removeParts});
  if (verify) return RunVerify({Wide(verifyPart), NamingOf(verifyNaming)});
  return RunPlan(planPlan.Request("plan"), json);
}

}  // namespace

int RunCommandLine(const std::vector<std::wstring>& Args) {
  std::vector<std::string> args;
  for (const std::wstring& arg : Args) args.push_back(platform::ToUtf8(arg));
  CLI::App app("Cuts a file into a numbered series of parts and joins such a series back.", "quenlor-cli");
  try {
    return Run(app, args);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) {
      // --help or --version: CLI11 writes the text; it goes out as the results do.
      std::ostringstream out, err;
      app.exit(error, out, err);
      console::Out(Wide(out.str()));
      return ExitOk;
    }
    console::Err(L"quenlor-cli: " + Wide(error.what()) + L"\n");
    return ExitBadInput;
  } catch (const TInputError& error) {
    console::Err(L"quenlor-cli: " + error.What + L"\n");
    return ExitBadInput;
  }
}
