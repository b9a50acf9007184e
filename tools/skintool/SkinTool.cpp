// skintool: packs, lists, extracts and inspects skin archives, and runs the LZH codec.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/skintool/ToolCommon.h"

namespace {

void PrintHelp(std::FILE* to) {
  std::vector<TToolCommand> commands = ToolCommands();
  std::sort(commands.begin(), commands.end(),
            [](const TToolCommand& a, const TToolCommand& b) { return std::string(a.Name) < b.Name; });
  std::fprintf(to,
               "usage: skintool COMMAND ARGS...\n"
               "Builds and inspects Lumetta skin archives.\n\n"
               "commands:\n");
  for (const auto& c : commands) std::fprintf(to, "  skintool %s %s\n%s\n", c.Name, c.Usage, c.Help);
  std::fprintf(to,
               "  skintool --help\n"
               "      Shows this text.\n\n"
               "exit status: 0 success, 1 bad or unreadable input, 2 wrong usage\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintHelp(stderr);
    return ExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(stdout);
    return ExitOk;
  }
  for (const auto& c : ToolCommands()) {
    if (args[0] != c.Name) continue;
    try {
      return c.Run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const TUsageError& e) {
      std::fprintf(stderr, "skintool %s: %s\nusage: skintool %s %s\n", c.Name, e.Message.c_str(), c.Name,
                   c.Usage);
      return ExitUsage;
    } catch (const TToolError& e) {
      std::fprintf(stderr, "skintool %s: %s\n", c.Name, e.Message.c_str());
      return ExitBadInput;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "skintool %s: %s\n", c.Name, e.what());
      return ExitBadInput;
    }
  }
  std::fprintf(stderr, "skintool: unknown command \"%s\" (see skintool --help)\n", args[0].c_str());
  return ExitUsage;
}
