// What Windows reads from our files: the version resource that Explorer shows and the
// manifest the loader applies, read back through the system's own parsers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "CitizenSupport.h"

namespace {

struct TVersion {
  bool Found = false;
  VS_FIXEDFILEINFO Fixed{};
  std::map<std::string, std::string> Strings;
};

TVersion ReadVersion(const std::string& path) {
  TVersion v;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return v;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return v;
  void* p = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(data.data(), "\\", &p, &len) || len < sizeof(VS_FIXEDFILEINFO)) return v;
  std::memcpy(&v.Fixed, p, sizeof v.Fixed);
  // The string table named by the first translation, as Explorer picks it.
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &p, &len) || len < 4) return v;
  const WORD* translation = static_cast<const WORD*>(p);
  char table[64];
  wsprintfA(table, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  for (const char* key : {"ProductName", "ProductVersion", "FileVersion", "FileDescription", "LegalCopyright",
                          "OriginalFilename", "CompanyName"}) {
    if (VerQueryValueA(data.data(), (std::string(table) + key).c_str(), &p, &len) && len > 0)
      v.Strings[key] = static_cast<const char*>(p);
  }
  v.Found = true;
  return v;
}

struct TFileCase {
  const char* File;
  DWORD Type;
  const char* Description;
};

const TFileCase kFiles[] = {
    {"Lumetta.exe", VFT_APP, "Lumetta cursor effects"},
    {"Corvane.exe", VFT_APP, "Lumetta restart program"},
    {"Tavrin.dll", VFT_DLL, "Lumetta mouse-hook library"},
};

const char* const kPrograms[] = {"Lumetta.exe", "Corvane.exe"};

// The manifest text as stored in the program (resource type 24, id 1).
std::string ManifestText(const std::string& path) {
  const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::string text;
  if (HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    if (HGLOBAL loaded = LoadResource(module, res))
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, res));
  }
  FreeLibrary(module);
  return text;
}

// The activation context the loader makes from a program's manifest.
class TActCtx {
 public:
  explicit TActCtx(const std::string& path) {
    ACTCTXA ctx{};
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.lpSource = path.c_str();
    ctx.lpResourceName = MAKEINTRESOURCEA(1);
    FHandle = CreateActCtxA(&ctx);
  }
  ~TActCtx() {
    if (Valid()) ReleaseActCtx(FHandle);
  }
  TActCtx(const TActCtx&) = delete;
  TActCtx& operator=(const TActCtx&) = delete;
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE && FHandle != nullptr; }

  // A windowsSettings value as the system reads it ("" when absent).
  std::wstring Setting(const wchar_t* ns, const wchar_t* name) const {
    using TQuery = BOOL(WINAPI*)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);
    static const auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    if (!query) return L"<no QueryActCtxSettingsW>";
    wchar_t buf[64] = {};
    SIZE_T written = 0;
    if (!query(0, FHandle, ns, name, buf, 64, &written)) return {};
    return buf;
  }

  std::vector<char> Query(ULONG what) const {
    SIZE_T size = 0;
    QueryActCtxW(0, FHandle, nullptr, what, nullptr, 0, &size);
    std::vector<char> data(size);
    if (size == 0 || !QueryActCtxW(0, FHandle, nullptr, what, data.data(), size, &size)) return {};
    return data;
  }

 private:
  HANDLE FHandle = INVALID_HANDLE_VALUE;
};

}  // namespace

TEST(VersionResource, EveryShippedFileCarriesProductVersionAndDescription) {
  for (const TFileCase& c : kFiles) {
    SCOPED_TRACE(c.File);
    const TVersion v = ReadVersion(ExeDir() + c.File);
    ASSERT_TRUE(v.Found);
    EXPECT_EQ(v.Fixed.dwSignature, 0xFEEF04BDu);
    // 2.20: major 2, minor 20, as the About dialog shows it.
    EXPECT_EQ(v.Fixed.dwFileVersionMS, 0x00020014u);
    EXPECT_EQ(v.Fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(v.Fixed.dwProductVersionMS, 0x00020014u);
    EXPECT_EQ(v.Fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(v.Fixed.dwFileType, c.Type);
    EXPECT_EQ(v.Fixed.dwFileFlags & v.Fixed.dwFileFlagsMask, 0u);  // not a debug or private build
    EXPECT_EQ(v.Strings.at("ProductName"), "Lumetta");
    EXPECT_EQ(v.Strings.at("ProductVersion"), "2.20");
    EXPECT_EQ(v.Strings.at("FileVersion"), "2.20");
    EXPECT_EQ(v.Strings.at("FileDescription"), c.Description);
    EXPECT_EQ(v.Strings.at("OriginalFilename"), c.File);
    EXPECT_EQ(v.Strings.at("LegalCopyright").rfind("Copyright (C) ", 0), 0u);
    EXPECT_NE(v.Strings.at("LegalCopyright").find("Lumetta developers"), std::string::npos);
  }
}

TEST(VersionResource, AFileWithoutOneReadsAsMissing) {
  // The reader above is what proves the others: a file without the resource fails it.
  EXPECT_FALSE(ReadVersion(ExeDir() + "Images/ball_blue.png").Found);
  EXPECT_FALSE(ReadVersion(ExeDir() + "no-such-file.exe").Found);
}

TEST(Manifest, ProgramsAreSystemDpiAwareAsInvokerWithTheClassicControls) {
  for (const char* file : kPrograms) {
    SCOPED_TRACE(file);
    const std::string path = ExeDir() + file;
    const std::string text = ManifestText(path);
    ASSERT_FALSE(text.empty());
    // Version 5 of the common controls: no dependency on the themed version 6.
    EXPECT_EQ(text.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(text.find("<dependency"), std::string::npos);

    TActCtx ctx(path);
    ASSERT_TRUE(ctx.Valid()) << "the system could not parse the manifest, error " << GetLastError();
    EXPECT_EQ(ctx.Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true");
    EXPECT_EQ(ctx.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"system");

    const std::vector<char> level = ctx.Query(RunlevelInformationInActivationContext);
    ASSERT_GE(level.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    const auto* run = reinterpret_cast<const ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION*>(level.data());
    EXPECT_EQ(run->RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(run->UiAccess, 0u);

    // Only the program itself: a common-controls dependency would add an assembly.
    const std::vector<char> detail = ctx.Query(ActivationContextDetailedInformation);
    ASSERT_GE(detail.size(), sizeof(ACTIVATION_CONTEXT_DETAILED_INFORMATION));
    EXPECT_EQ(
        reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(detail.data())->ulAssemblyCount, 1u);
  }
}

TEST(Manifest, ProgramsNameEveryWindowsVersionFromVistaOn) {
  // Vista, 7, 8, 8.1, 10/11 in the order Microsoft introduced them.
  const GUID expected[] = {
      {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
      {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
      {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
      {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
      {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},
  };
  for (const char* file : kPrograms) {
    SCOPED_TRACE(file);
    TActCtx ctx(ExeDir() + file);
    ASSERT_TRUE(ctx.Valid());
    const std::vector<char> info = ctx.Query(CompatibilityInformationInActivationContext);
    ASSERT_GE(info.size(), sizeof(DWORD));
    DWORD count = 0;
    std::memcpy(&count, info.data(), sizeof count);
    EXPECT_EQ(count, 5u);
    // The element layout grew between Windows versions: look for each GUID's bytes.
    for (const GUID& id : expected) {
      bool found = false;
      for (size_t at = sizeof(DWORD); at + sizeof(GUID) <= info.size() && !found; ++at)
        found = std::memcmp(info.data() + at, &id, sizeof(GUID)) == 0;
      EXPECT_TRUE(found) << std::hex << id.Data1;
    }
  }
}

TEST(Manifest, ThisProcessIsSystemDpiAwareAsTheSystemReportsIt) {
  // This test program carries the same manifest as the shipped programs, and the system
  // applied it: the process's own activation context holds its settings.
  EXPECT_FALSE(ManifestText(ExeDir() + "win32_citizen_tests.exe").empty());
  using TQuery = BOOL(WINAPI*)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);
  const auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
  ASSERT_NE(query, nullptr);
  wchar_t value[32] = {};
  ASSERT_TRUE(query(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
                    value, 32, nullptr));
  EXPECT_STREQ(value, L"system");

  EXPECT_TRUE(IsProcessDPIAware());
  int awareness = -1;
  using TGetProcessDpiAwareness = HRESULT(WINAPI*)(HANDLE, int*);
  if (const HMODULE shcore = LoadLibraryA("shcore.dll")) {
    if (auto get = reinterpret_cast<TGetProcessDpiAwareness>(
            reinterpret_cast<void*>(GetProcAddress(shcore, "GetProcessDpiAwareness")))) {
      ASSERT_EQ(get(nullptr, &awareness), S_OK);
    }
  }
  if (RunningOnWine()) {
    // Wine 8 answers per-monitor for every process; what matters is that it is aware.
    EXPECT_NE(awareness, 0);
  } else if (awareness != -1) {
    EXPECT_EQ(awareness, 1);  // PROCESS_SYSTEM_DPI_AWARE
    EXPECT_EQ(ThreadAwareness(), kAwarenessSystem);
  }
}
