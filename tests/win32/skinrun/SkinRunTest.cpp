// SkinRun.exe as a user runs it: each refusal with its message and exit code (and the program
// not started where the refusal comes first), a program's own exit code and command line
// passed through, a program that ends before the engine starts, and the engine started in
// the program's window with the built-in skin and with a skin file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L"\\/"));
}

struct TRun {
  DWORD Code = 0;
  std::string Said;
};

// Runs SkinRun.exe with the arguments, in folder (empty: this one) and with PATH set to path
// (empty: as it is), and answers its exit code and what it wrote.
TRun RunSkinRun(const std::wstring& args, const std::wstring& folder = {}, const std::wstring& path = {}) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  EXPECT_TRUE(CreatePipe(&read, &write, &sa, 0));
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = write;
  si.hStdError = write;
  std::wstring command = L"\"" + BinDir() + L"\\SkinRun.exe\" " + args;
  std::wstring oldPath(32768, L'\0');
  oldPath.resize(GetEnvironmentVariableW(L"PATH", oldPath.data(), 32768));
  if (!path.empty()) SetEnvironmentVariableW(L"PATH", path.c_str());
  PROCESS_INFORMATION pi{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.empty() ? nullptr : folder.c_str(), &si, &pi);
  if (!path.empty()) SetEnvironmentVariableW(L"PATH", oldPath.c_str());
  CloseHandle(write);
  TRun run;
  if (!started) {
    ADD_FAILURE() << "SkinRun.exe did not start: " << GetLastError();
    CloseHandle(read);
    return run;
  }
  // Read while SkinRun runs, not up to the pipe's end: the desktop's explorer, started by the
  // first window there, may hold an inherited copy of the pipe for as long as it lives.
  const DWORD until = GetTickCount() + 60000;
  for (bool ended = false; !ended && GetTickCount() < until;) {
    ended = WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0;
    DWORD avail = 0;
    while (PeekNamedPipe(read, nullptr, 0, nullptr, &avail, nullptr) && avail > 0) {
      char buf[4096];
      DWORD got = 0;
      if (!ReadFile(read, buf, sizeof buf, &got, nullptr) || got == 0) break;
      run.Said.append(buf, got);
    }
  }
  CloseHandle(read);
  GetExitCodeProcess(pi.hProcess, &run.Code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return run;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ReadText(const std::wstring& path) {
  std::wstring text;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    wchar_t buf[1024];
    size_t n;
    while ((n = fread(buf, sizeof(wchar_t), 1024, f)) > 0) text.append(buf, n);
    fclose(f);
  }
  return text;
}

struct SkinRunTest : ::testing::Test {
  std::wstring Bin = BinDir(), Temp;
  std::wstring Subject() const { return L"\"" + Bin + L"\\SkinRunSubject.exe\""; }
  void SetUp() override {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    Temp = std::wstring(base) + L"skinrun-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount());
    CreateDirectoryW(Temp.c_str(), nullptr);
  }
  void TearDown() override {
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW((Temp + L"\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileW((Temp + L"\\" + f.cFileName).c_str());
      while (FindNextFileW(h, &f));
      FindClose(h);
    }
    RemoveDirectoryW(Temp.c_str());
  }
  // A file with a program's headers for the other architecture than this build's.
  std::wstring OtherArchitectureProgram() const {
    unsigned char b[512] = {'M', 'Z'};
    b[60] = 0x80;
    b[0x80] = 'P';
    b[0x81] = 'E';
    const unsigned machine = sizeof(void*) == 8 ? 0x014C : 0x8664;
    b[0x84] = static_cast<unsigned char>(machine);
    b[0x85] = static_cast<unsigned char>(machine >> 8);
    b[0x80 + 22] = 0x02;  // executable
    const std::wstring path = Temp + L"\\other.exe";
    FILE* f = _wfopen(path.c_str(), L"wb");
    fwrite(b, 1, sizeof b, f);
    fclose(f);
    return path;
  }
};

TEST_F(SkinRunTest, RefusesWithAMessageAndItsOwnExitCode) {
  const std::wstring touched = Temp + L"\\ran.txt";
  const std::string other = sizeof(void*) == 8 ? "32-bit" : "64-bit";
  const std::string own = sizeof(void*) == 8 ? "64-bit" : "32-bit";
  struct Case {
    std::wstring args;
    DWORD code;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {L"", 120, {"Name the program to run.", "Usage: SkinRun.exe [--skin FILE] PROGRAM"}},
      {L"--skin", 120, {"--skin needs a skin file.", "Usage:"}},
      {L"--frobnicate notepad", 120, {"Unknown option --frobnicate."}},
      {L"NoSuchProgramAnywhere", 121, {"cannot find the program NoSuchProgramAnywhere"}},
      {L"\"" + Bin + L"\\LumettaSkin.dll\"", 122, {"LumettaSkin.dll is not a Windows program"}},
      {L"\"" + OtherArchitectureProgram() + L"\"",
       123,
       {"other.exe is a " + other + " program and this SkinRun.exe is " + own,
        "run it with the " + other + " SkinRun.exe"}},
      {L"--skin \"" + Temp + L"\\missing.skn\" " + Subject() + L" exit 0 \"" + touched + L"\"",
       124,
       {"cannot use the skin file", "missing.skn: The file does not exist.", "The program was not started."}},
      {L"--skin \"" + Bin + L"\\notaskin.skn\" " + Subject() + L" exit 0 \"" + touched + L"\"",
       124,
       {"notaskin.skn: It is not a skin archive"}},
      {L"--skin \"" + Bin + L"\\refused.skn\" " + Subject() + L" exit 0 \"" + touched + L"\"",
       124,
       {"refused.skn: The load bounds refuse its images:", "The program was not started."}},
      {L"--skin \"" + Temp + L"\" " + Subject() + L" exit 0 \"" + touched + L"\"",
       124,
       {"It is not a file."}},
  };
  for (const Case& c : cases) {
    const TRun r = RunSkinRun(c.args);
    EXPECT_EQ(r.Code, c.code) << Narrow(c.args) << "\n" << r.Said;
    for (const std::string& s : c.said)
      EXPECT_NE(r.Said.find(s), std::string::npos) << Narrow(c.args) << "\n" << r.Said;
    EXPECT_FALSE(Exists(touched)) << "the program ran after: " << Narrow(c.args);
  }
}

TEST_F(SkinRunTest, SaysSoWhenTheProgramEndsBeforeTheEngineStarts) {
  const std::wstring touched = Temp + L"\\ran.txt";
  const TRun r = RunSkinRun(Subject() + L" exit 7 \"" + touched + L"\"");
  EXPECT_EQ(r.Code, 126u) << r.Said;
  EXPECT_NE(r.Said.find("SkinRunSubject.exe ended (exit code 7) before the skin engine could start"),
            std::string::npos)
      << r.Said;
  EXPECT_TRUE(Exists(touched)) << "the program itself ran";
}

TEST_F(SkinRunTest, SkinsTheProgramAndAnswersItsExitCodeAndPassesItsArguments) {
  struct Case {
    std::wstring skinArgs;
    DWORD code;
  };
  const Case cases[] = {{L"", 5}, {L"--skin \"" + Bin + L"\\second.skn\" ", 6}};
  for (const Case& c : cases) {
    const std::wstring out = Temp + L"\\out" + std::to_wstring(c.code) + L".txt";
    const std::wstring tail = L"window " + std::to_wstring(c.code) + L" \"" + out + L"\" \"a  b\"\t\\\"c";
    const TRun r = RunSkinRun(c.skinArgs + Subject() + L" " + tail);
    EXPECT_EQ(r.Code, c.code) << r.Said;
    EXPECT_TRUE(r.Said.empty()) << r.Said;
    const std::wstring seen = ReadText(out);
    EXPECT_EQ(seen.rfind(L"skinned=1\n", 0), 0u) << Narrow(seen);
    // The program's own full path, quoted, then the rest as SkinRun got it.
    EXPECT_NE(seen.find(L"\"" + Bin + L"\\SkinRunSubject.exe\" " + tail), std::wstring::npos) << Narrow(seen);
  }
}

TEST_F(SkinRunTest, FindsAProgramThroughPathWithoutItsExtension) {
  const std::wstring out = Temp + L"\\out.txt";
  const TRun r = RunSkinRun(L"SkinRunSubject window 3 \"" + out + L"\"", Temp, Bin);
  EXPECT_EQ(r.Code, 3u) << r.Said;
  EXPECT_EQ(ReadText(out).rfind(L"skinned=1", 0), 0u);
}

}  // namespace
