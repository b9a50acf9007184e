#include "skinrun/SkinRunArgs.h"

namespace {

bool Blank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<TCommandWord> SplitCommandLine(const std::wstring& line) {
  std::vector<TCommandWord> words;
  std::size_t i = 0;
  const std::size_t n = line.size();
  // The program's name: no escapes, a quote only groups.
  if (n > 0 && !Blank(line[0])) {
    TCommandWord w;
    w.Begin = 0;
    if (line[0] == L'"') {
      const std::size_t close = line.find(L'"', 1);
      w.Text = line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
      i = close == std::wstring::npos ? n : close + 1;
    } else {
      while (i < n && !Blank(line[i])) ++i;
      w.Text = line.substr(0, i);
    }
    w.End = i;
    words.push_back(std::move(w));
  }
  for (;;) {
    while (i < n && Blank(line[i])) ++i;
    if (i >= n) break;
    TCommandWord w;
    w.Begin = i;
    bool quoted = false;
    while (i < n && (quoted || !Blank(line[i]))) {
      if (line[i] == L'\\') {
        std::size_t slashes = 0;
        while (i < n && line[i] == L'\\') ++slashes, ++i;
        if (i < n && line[i] == L'"') {
          w.Text.append(slashes / 2, L'\\');
          if (slashes % 2) {
            w.Text.push_back(L'"');
            ++i;
          }
          // An even run: the quote is handled as a quote below.
        } else {
          w.Text.append(slashes, L'\\');
        }
      } else if (line[i] == L'"') {
        if (quoted && i + 1 < n && line[i + 1] == L'"') {
          w.Text.push_back(L'"');
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        w.Text.push_back(line[i++]);
      }
    }
    w.End = i;
    words.push_back(std::move(w));
  }
  return words;
}

TSkinRunArgs ParseSkinRunArgs(const std::vector<TCommandWord>& words) {
  TSkinRunArgs args;
  std::size_t i = 1;
  for (; i < words.size(); ++i) {
    const std::wstring& w = words[i].Text;
    if (w == L"--skin") {
      if (i + 1 >= words.size()) {
        args.Error = L"--skin needs a skin file.";
        return args;
      }
      args.SkinFile = words[++i].Text;
      if (args.SkinFile.empty()) {
        args.Error = L"--skin needs a skin file.";
        return args;
      }
    } else if (w.rfind(L"--skin=", 0) == 0) {
      args.SkinFile = w.substr(7);
      if (args.SkinFile.empty()) {
        args.Error = L"--skin needs a skin file.";
        return args;
      }
    } else if (w == L"--help" || w == L"-h" || w == L"/?") {
      args.Help = true;
      return args;
    } else if (w == L"--") {
      ++i;
      break;
    } else if (w.size() > 1 && w[0] == L'-') {
      args.Error = L"Unknown option " + w + L".";
      return args;
    } else {
      break;
    }
  }
  if (i >= words.size() || words[i].Text.empty()) {
    args.Error = L"Name the program to run.";
    return args;
  }
  args.Program = words[i].Text;
  args.ProgramWord = i;
  return args;
}

std::wstring SkinRunUsage() {
  return L"Usage: SkinRun.exe [--skin FILE] PROGRAM [ARGS...]\n"
         L"Runs PROGRAM with the Lumetta skin engine in it and answers PROGRAM's exit code.\n"
         L"--skin FILE: a skin archive instead of the built-in skin\n"
         L"PROGRAM is looked up as a command line's first word is: the current folder, the\n"
         L"system folders, then PATH (\".exe\" may be left out).\n";
}

std::wstring ChildCommandLine(const std::wstring& programPath, const std::wstring& line,
                              const std::vector<TCommandWord>& words, std::size_t programWord) {
  std::wstring out = L"\"" + programPath + L"\"";
  if (programWord + 1 < words.size()) out += L" " + line.substr(words[programWord + 1].Begin);
  return out;
}
