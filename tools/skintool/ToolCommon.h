#pragma once
// Shared pieces of skintool: exit codes, errors, the command table and file helpers.
// Each command lives in its own Cmd*.cpp and registers itself with a TRegisterCommand.
#include <cstdint>
#include <string>
#include <vector>

class TSkinReader;

enum TExitCode { ExitOk = 0, ExitBadInput = 1, ExitUsage = 2 };

// A bad or unreadable input; the message names the file and what is wrong.
struct TToolError {
  std::string Message;
};
// Wrong arguments; main prints the command's usage line.
struct TUsageError {
  std::string Message;
};

struct TToolCommand {
  const char* Name;
  const char* Usage;  // arguments after the name
  const char* Help;   // one or more lines shown by --help
  // Arguments after the command name; returns an exit code or throws TToolError/TUsageError.
  int (*Run)(const std::vector<std::string>& args);
};

std::vector<TToolCommand>& ToolCommands();

struct TRegisterCommand {
  explicit TRegisterCommand(const TToolCommand& command) { ToolCommands().push_back(command); }
};

void ExpectArgs(const std::vector<std::string>& args, size_t count);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Loads a compressed archive file or throws TToolError saying why it was refused.
void LoadArchiveFile(const std::string& path, TSkinReader& reader);
