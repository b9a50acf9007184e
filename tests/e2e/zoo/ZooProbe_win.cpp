// ZooProbe.exe FOLDER: watches the programs of the zoo from inside their Wine desktop. It
// stays running and answers requests, so a scenario asks many questions without starting a
// Windows process for each: the driver writes FOLDER\N.req (one line: a command and its
// words, tab-separated) and the probe answers in FOLDER\N.ans, written whole and renamed.
//   pid NAME           process id, file name and parent's id of each running program with
//                      that file name (* for all), one per line
//   record PID         each visible top-level window of the process: its class, caption,
//                      window rectangle, client size and origin on the screen, styles,
//                      whether it answers messages (in 3 s) and the skin query; then each
//                      visible child with its rectangle relative to that client origin and
//                      its style
//   alive PID          1 while the process runs, else 0 and its exit code
//   popups             visible menu windows: their rectangles
//   paint PID N        N full repaints (frame, background, children) of the process's
//                      largest window, each waited for: the median in microseconds
//   restore HWND       posts the window the system command Restore (for a maximized window
//                      whose caption lies off the screen, where no click reaches it)
//   close HWND         posts the window the system command Close
//   no HWND            presses No in a message box (posts it IDNO)
//   keep KEY           each value of HKEY_CURRENT_USER\KEY: its name, type and bytes in hex
//   put KEY NAME TYPE HEX...  makes those the key's only values (a program's saved settings,
//                      so that each run of it starts from the same ones)
//   captionwidth TEXT  the width of TEXT in the system's caption font, in pixels
//   quit               ends the probe
#include <windows.h>
// after windows.h, whose types it uses
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr UINT SkinQuery = 0x3504;

std::string Format(const char* fmt, ...) {
  char buf[2048];
  va_list args;
  va_start(args, fmt);
  vsnprintf(buf, sizeof buf, fmt, args);
  va_end(args);
  return buf;
}

std::string ClassOf(HWND w) {
  char c[256] = {};
  GetClassNameA(w, c, sizeof c);
  return c;
}

std::string TextOf(HWND w) {
  // Never blocks on a hung window: the text is read with a time-out.
  char t[512] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof t, reinterpret_cast<LPARAM>(t), SMTO_ABORTIFHUNG, 1000, &got);
  for (char& c : t)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return t;
}

BOOL CALLBACK Collect(HWND w, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
  std::vector<HWND> all, out;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND w : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) out.push_back(w);
  }
  return out;
}

// Handles of the processes asked about, kept so their exit codes stay readable after they end.
std::map<DWORD, HANDLE> gProcesses;

HANDLE ProcessOf(DWORD pid) {
  auto it = gProcesses.find(pid);
  if (it != gProcesses.end()) return it->second;
  HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
  if (p) gProcesses[pid] = p;
  return p;
}

std::string Pids(const std::string& name) {
  std::string out;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return out;
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e))
    if (name == "*" || lstrcmpiA(e.szExeFile, name.c_str()) == 0) {
      ProcessOf(e.th32ProcessID);
      out += Format("%lu\t%s\t%lu\n", e.th32ProcessID, e.szExeFile, e.th32ParentProcessID);
    }
  CloseHandle(snap);
  return out;
}

std::string Record(DWORD pid) {
  std::string out;
  for (HWND w : TopWindowsOf(pid)) {
    RECT r{}, c{};
    GetWindowRect(w, &r);
    GetClientRect(w, &c);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    DWORD_PTR dummy = 0, skin = 0;
    const bool answers = SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &dummy) != 0;
    if (answers) SendMessageTimeoutA(w, SkinQuery, 0, 0, SMTO_ABORTIFHUNG, 3000, &skin);
    out += Format("WIN\t%p\t%s\t%s\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%08lx\t%08lx\t%d\t%lu\n",
                  static_cast<void*>(w), ClassOf(w).c_str(), TextOf(w).c_str(), r.left, r.top, r.right,
                  r.bottom, c.right, c.bottom, origin.x, origin.y,
                  static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(w, GWL_EXSTYLE)), answers ? 1 : 0,
                  static_cast<unsigned long>(skin));
    std::vector<HWND> children;
    EnumChildWindows(w, Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
      if (!IsWindowVisible(child)) continue;
      RECT cr{};
      GetWindowRect(child, &cr);
      out += Format("CHILD\t%p\t%p\t%s\t%ld\t%ld\t%ld\t%ld\t%08lx\n", static_cast<void*>(w),
                    static_cast<void*>(child), ClassOf(child).c_str(), cr.left - origin.x, cr.top - origin.y,
                    cr.right - origin.x, cr.bottom - origin.y,
                    static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)));
    }
  }
  return out;
}

std::string Alive(DWORD pid) {
  HANDLE p = ProcessOf(pid);
  if (!p) return "0\t-1\n";
  if (WaitForSingleObject(p, 0) == WAIT_TIMEOUT) return "1\n";
  // Read once the process has ended: read before, it is STILL_ACTIVE for a process ending
  // between the two calls.
  DWORD code = 0;
  GetExitCodeProcess(p, &code);
  return Format("0\t%lu\n", code);
}

std::string Popups() {
  std::vector<HWND> all;
  std::string out;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND w : all) {
    if (ClassOf(w) != "#32768" || !IsWindowVisible(w)) continue;
    RECT r{};
    GetWindowRect(w, &r);
    out += Format("POPUP\t%ld\t%ld\t%ld\t%ld\n", r.left, r.top, r.right, r.bottom);
  }
  return out;
}

std::string Paint(DWORD pid, int n) {
  HWND target = nullptr;
  long best = -1;
  for (HWND w : TopWindowsOf(pid)) {
    RECT r{};
    GetWindowRect(w, &r);
    const long area = (r.right - r.left) * (r.bottom - r.top);
    if (area > best) best = area, target = w;
  }
  if (!target) return "none\n";
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  std::vector<double> us;
  DWORD_PTR dummy = 0;
  for (int i = 0; i < n; ++i) {
    QueryPerformanceCounter(&a);
    RedrawWindow(target, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The window's thread has painted when it answers a message sent after the request.
    SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &dummy);
    QueryPerformanceCounter(&b);
    us.push_back(1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
  }
  std::sort(us.begin(), us.end());
  return Format("%.0f\t%s\n", us[us.size() / 2], ClassOf(target).c_str());
}

std::string Keep(const std::string& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return "";
  std::string out;
  for (DWORD i = 0;; ++i) {
    char name[256];
    BYTE data[2048];
    DWORD nameLen = sizeof name, type = 0, size = sizeof data;
    const LONG r = RegEnumValueA(k, i, name, &nameLen, nullptr, &type, data, &size);
    if (r == ERROR_MORE_DATA) continue;  // none of the settings kept is that long
    if (r != ERROR_SUCCESS) break;
    out += Format("%s\t%lu\t", name, type);
    for (DWORD b = 0; b < size; ++b) out += Format("%02x", data[b]);
    out += "\n";
  }
  RegCloseKey(k);
  return out;
}

std::string Put(const std::vector<std::string>& w) {
  HKEY k = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, w[1].c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &k,
                      nullptr) != ERROR_SUCCESS)
    return "0\n";
  // Values the program wrote since are dropped first: on a fresh prefix nothing was kept, and
  // the run before would otherwise hand its window size on.
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLen = sizeof name;
    if (RegEnumValueA(k, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, nameLen);
  }
  bool ok = true;
  for (const std::string& name : names)
    if (RegDeleteValueA(k, name.c_str()) != ERROR_SUCCESS) ok = false;
  for (size_t i = 2; i + 2 < w.size(); i += 3) {
    std::vector<BYTE> data;
    for (size_t c = 0; c + 1 < w[i + 2].size(); c += 2)
      data.push_back(static_cast<BYTE>(strtoul(w[i + 2].substr(c, 2).c_str(), nullptr, 16)));
    const DWORD type = strtoul(w[i + 1].c_str(), nullptr, 10), size = static_cast<DWORD>(data.size());
    if (RegSetValueExA(k, w[i].c_str(), 0, type, data.data(), size) != ERROR_SUCCESS) ok = false;
  }
  RegCloseKey(k);
  return ok ? "1\n" : "0\n";
}

std::string CaptionWidth(const std::string& text) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return "-1\n";
  HFONT font = CreateFontIndirectA(&ncm.lfCaptionFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return Format("%ld\n", r.right - r.left);
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    words.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return words;
}

std::string Answer(const std::vector<std::string>& w) {
  const std::string& cmd = w[0];
  const DWORD pid = w.size() > 1 ? strtoul(w[1].c_str(), nullptr, 10) : 0;
  if (cmd == "pid" && w.size() > 1) return Pids(w[1]);
  if (cmd == "record") return Record(pid);
  if (cmd == "alive") return Alive(pid);
  if (cmd == "popups") return Popups();
  if ((cmd == "restore" || cmd == "close" || cmd == "no") && w.size() > 1) {
    HWND wnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(w[1].c_str(), nullptr, 16)));
    const BOOL ok = cmd == "no" ? PostMessageA(wnd, WM_COMMAND, IDNO, 0)
                                : PostMessageA(wnd, WM_SYSCOMMAND, cmd == "close" ? SC_CLOSE : SC_RESTORE, 0);
    return ok ? "1\n" : "0\n";
  }
  if (cmd == "paint" && w.size() > 2) return Paint(pid, atoi(w[2].c_str()));
  if (cmd == "keep" && w.size() > 1) return Keep(w[1]);
  if (cmd == "captionwidth" && w.size() > 1) return CaptionWidth(w[1]);
  if (cmd == "put" && w.size() > 1) return Put(w);
  if (cmd == "workarea") {
    // The primary monitor's, as the system has it now (a process's own work area is read once).
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& r = mi.rcWork;
    return Format("%ld\t%ld\t%ld\t%ld\n", r.left, r.top, r.right, r.bottom);
  }
  return "unknown request\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  for (int n = 1;; ++n) {
    const std::string req = folder + "\\" + std::to_string(n) + ".req";
    std::string line;
    for (;;) {
      if (FILE* f = fopen(req.c_str(), "rb")) {
        char buf[4096] = {};
        const size_t got = fread(buf, 1, sizeof buf - 1, f);
        fclose(f);
        line.assign(buf, got);
        break;
      }
      Sleep(25);  // often enough for the driver, rarely enough for a shared Wine server
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const std::vector<std::string> words = Words(line);
    const std::string answer = words[0] == "quit" ? "bye\n" : Answer(words);
    const std::string part = folder + "\\" + std::to_string(n) + ".part";
    if (FILE* f = fopen(part.c_str(), "wb")) {
      fputs(answer.c_str(), f);
      fclose(f);
      MoveFileExA(part.c_str(), (folder + "\\" + std::to_string(n) + ".ans").c_str(),
                  MOVEFILE_REPLACE_EXISTING);
    }
    DeleteFileA(req.c_str());
    if (words[0] == "quit") return 0;
  }
}
