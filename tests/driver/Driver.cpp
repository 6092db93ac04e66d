// MoxelDriver: a small console tool the end-to-end tests use to look at and
// poke the program from outside: find windows, read their text and geometry,
// send messages, edit the registry, change the display mode, take pictures,
// press keys and click.
//
// Output is plain text on stdout, one result per line, "\n" line ends.
// Exit codes: 0 success, 1 not found / failed, 2 usage error.
// Window handles are printed as 0x-prefixed hex and read back as hex (with or
// without 0x); other numbers are decimal or 0x-hex.

#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Thrown for a malformed argument; main turns it into exit code 2.
struct UsageError {
    std::string message;
};

// ---- text ------------------------------------------------------------------

std::wstring widen(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

std::string narrow(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

void out(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string hexHandle(HWND h) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", (unsigned long long)(uintptr_t)h);
    return buf;
}

// ---- argument parsing -------------------------------------------------------

long long parseNumber(const std::string& s) {
    if (s.empty()) throw UsageError{"empty number"};
    char* end = nullptr;
    long long v;
    if (s[0] == '-')
        v = std::strtoll(s.c_str(), &end, 0);
    else
        v = (long long)std::strtoull(s.c_str(), &end, 0);
    if (*end != '\0') throw UsageError{"not a number: " + s};
    return v;
}

HWND parseHandle(const std::string& s) {
    const char* p = s.c_str();
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
    char* end = nullptr;
    unsigned long long v = std::strtoull(p, &end, 16);
    if (*p == '\0' || *end != '\0') throw UsageError{"not a window handle: " + s};
    return (HWND)(uintptr_t)v;
}

struct NamedValue {
    const char* name;
    unsigned value;
};

// Message names the tests use most; "NAME+N" adds an offset (WM_USER+1) and
// "reg:NAME" asks RegisterWindowMessage (reg:TaskbarCreated).
const NamedValue kMessages[] = {
    {"WM_NULL", WM_NULL},
    {"WM_DESTROY", WM_DESTROY},
    {"WM_CLOSE", WM_CLOSE},
    {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {"WM_ENDSESSION", WM_ENDSESSION},
    {"WM_SHOWWINDOW", WM_SHOWWINDOW},
    {"WM_SETTINGCHANGE", WM_SETTINGCHANGE},
    {"WM_ACTIVATEAPP", WM_ACTIVATEAPP},
    {"WM_GETTEXT", WM_GETTEXT},
    {"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH},
    {"WM_KEYDOWN", WM_KEYDOWN},
    {"WM_KEYUP", WM_KEYUP},
    {"WM_CHAR", WM_CHAR},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_SYSCOMMAND", WM_SYSCOMMAND},
    {"WM_TIMER", WM_TIMER},
    {"WM_MOUSEMOVE", WM_MOUSEMOVE},
    {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
    {"WM_LBUTTONUP", WM_LBUTTONUP},
    {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK},
    {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
    {"WM_RBUTTONUP", WM_RBUTTONUP},
    {"WM_RBUTTONDBLCLK", WM_RBUTTONDBLCLK},
    {"WM_HOTKEY", WM_HOTKEY},
    {"WM_DISPLAYCHANGE", WM_DISPLAYCHANGE},
    {"WM_USER", WM_USER},
    {"WM_APP", WM_APP},
};

UINT parseMessage(const std::string& s) {
    if (s.rfind("reg:", 0) == 0) return RegisterWindowMessageW(widen(s.substr(4)).c_str());
    std::string base = s;
    long long offset = 0;
    size_t plus = s.find('+');
    if (plus != std::string::npos && plus > 0) {
        base = s.substr(0, plus);
        offset = parseNumber(s.substr(plus + 1));
    }
    for (const auto& m : kMessages)
        if (_stricmp(m.name, base.c_str()) == 0) return (UINT)(m.value + offset);
    return (UINT)parseNumber(s);
}

const NamedValue kKeys[] = {
    {"caps", VK_CAPITAL},    {"capslock", VK_CAPITAL}, {"num", VK_NUMLOCK},
    {"numlock", VK_NUMLOCK}, {"scroll", VK_SCROLL},    {"scrolllock", VK_SCROLL},
    {"shift", VK_SHIFT},     {"control", VK_CONTROL},  {"alt", VK_MENU},
    {"return", VK_RETURN},   {"escape", VK_ESCAPE},    {"space", VK_SPACE},
    {"tab", VK_TAB},
};

BYTE parseKey(const std::string& s) {
    for (const auto& k : kKeys)
        if (_stricmp(k.name, s.c_str()) == 0) return (BYTE)k.value;
    long long v = parseNumber(s);
    if (v <= 0 || v > 0xFE) throw UsageError{"not a virtual key: " + s};
    return (BYTE)v;
}

// Pulls "--name value" options out of args; what is left are positionals.
struct Options {
    Args positional;
    std::vector<std::pair<std::string, std::string>> named;

    Options(const Args& args, std::initializer_list<const char*> valued,
            std::initializer_list<const char*> flags = {}) {
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            bool known = false;
            for (const char* v : valued)
                if (a == v) {
                    if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
                    named.emplace_back(a, args[++i]);
                    known = true;
                }
            for (const char* f : flags)
                if (a == f) {
                    named.emplace_back(a, "1");
                    known = true;
                }
            if (known) continue;
            if (a.size() > 2 && a.compare(0, 2, "--") == 0) throw UsageError{"unknown option " + a};
            positional.push_back(a);
        }
    }
    bool has(const char* name) const {
        for (const auto& n : named)
            if (n.first == name) return true;
        return false;
    }
    std::string get(const char* name, const std::string& fallback = {}) const {
        for (const auto& n : named)
            if (n.first == name) return n.second;
        return fallback;
    }
};

// ---- windows ---------------------------------------------------------------

std::string windowClass(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return narrow(buf);
}

// Asks the window itself, so that controls of other processes answer too; a
// hung window falls back to the caption the system keeps.
std::string windowText(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) {
        wchar_t buf[1024] = {};
        GetWindowTextW(h, buf, 1024);
        return narrow(buf);
    }
    std::wstring text(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, len + 1, (LPARAM)&text[0], SMTO_ABORTIFHUNG, 2000, &got);
    text.resize(got);
    return narrow(text);
}

struct Match {
    std::wstring cls, title;
    bool visibleOnly = false;
    DWORD pid = 0;
    // --exe: the processes of that name, taken again at every look.
    std::string exe;
    std::vector<DWORD> exePids;
    std::vector<HWND> found;

    bool accepts(HWND h) const {
        if (visibleOnly && !IsWindowVisible(h)) return false;
        if (pid || !exe.empty()) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (pid && owner != pid) return false;
            if (!exe.empty() && std::find(exePids.begin(), exePids.end(), owner) == exePids.end())
                return false;
        }
        if (!cls.empty()) {
            wchar_t buf[256] = {};
            GetClassNameW(h, buf, 256);
            if (cls != buf) return false;
        }
        if (!title.empty()) {
            wchar_t buf[1024] = {};
            GetWindowTextW(h, buf, 1024);
            if (title != buf) return false;
        }
        return true;
    }
    static BOOL CALLBACK collect(HWND h, LPARAM self) {
        auto* m = reinterpret_cast<Match*>(self);
        if (m->accepts(h)) m->found.push_back(h);
        return TRUE;
    }
};

std::vector<HWND> topLevelWindows(Match& m) {
    m.found.clear();
    EnumWindows(&Match::collect, (LPARAM)&m);
    return m.found;
}

std::vector<HWND> childWindows(HWND parent, Match& m) {
    m.found.clear();
    EnumChildWindows(parent, &Match::collect, (LPARAM)&m);
    return m.found;
}

// Polls until something matches; a timeout of 0 looks once.
template <typename Lookup> std::vector<HWND> waitFor(Lookup lookup, long long timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = lookup();
        if (!found.empty() || (long long)(GetTickCount() - start) >= timeoutMs) return found;
        Sleep(100);
    }
}

HWND existingWindow(const std::string& arg) {
    HWND h = parseHandle(arg);
    if (!IsWindow(h)) {
        std::fprintf(stderr, "no such window: %s\n", arg.c_str());
        return nullptr;
    }
    return h;
}

int printFound(const std::vector<HWND>& found, bool all) {
    if (found.empty()) return kFailed;
    for (HWND h : found) {
        out(hexHandle(h));
        if (!all) break;
    }
    return kOk;
}

Match matchFrom(const Options& o) {
    Match m;
    m.cls = widen(o.get("--class"));
    m.title = widen(o.get("--title"));
    m.visibleOnly = o.has("--visible");
    if (o.has("--pid")) m.pid = (DWORD)parseNumber(o.get("--pid"));
    m.exe = o.get("--exe");
    return m;
}

std::vector<DWORD> processesNamed(const std::string& exe);

int cmdFind(const Args& a) {
    Options o(a, {"--class", "--title", "--timeout", "--pid", "--exe"}, {"--visible", "--all"});
    if (!o.positional.empty()) throw UsageError{"unexpected " + o.positional[0]};
    if (!o.has("--class") && !o.has("--title") && !o.has("--pid"))
        throw UsageError{"give --class, --title or --pid"};
    Match m = matchFrom(o);
    long long timeout = parseNumber(o.get("--timeout", "0"));
    return printFound(waitFor(
                          [&] {
                              if (!m.exe.empty()) m.exePids = processesNamed(m.exe);
                              return topLevelWindows(m);
                          },
                          timeout),
                      o.has("--all"));
}

int cmdFindChild(const Args& a) {
    Options o(a, {"--class", "--title", "--timeout"}, {"--visible", "--all"});
    if (o.positional.size() != 1) throw UsageError{"find-child PARENT [--class C] [--title T]"};
    HWND parent = existingWindow(o.positional[0]);
    if (!parent) return kFailed;
    Match m = matchFrom(o);
    long long timeout = parseNumber(o.get("--timeout", "0"));
    return printFound(waitFor([&] { return childWindows(parent, m); }, timeout), o.has("--all"));
}

int cmdText(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    out(windowText(h));
    return kOk;
}

int cmdVisible(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    out(IsWindowVisible(h) ? "1" : "0");
    return kOk;
}

int cmdExists(const Args& a) {
    out(IsWindow(parseHandle(a[0])) ? "1" : "0");
    return kOk;
}

int cmdRect(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    RECT r;
    GetWindowRect(h, &r);
    out(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
        std::to_string(r.bottom));
    return kOk;
}

int cmdClient(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    RECT r;
    GetClientRect(h, &r);
    out(std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
    return kOk;
}

int cmdOwner(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    out(hexHandle(GetWindow(h, GW_OWNER)));
    return kOk;
}

int cmdParent(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    out(hexHandle(GetAncestor(h, GA_PARENT) == GetDesktopWindow() ? nullptr
                                                                  : GetAncestor(h, GA_PARENT)));
    return kOk;
}

int cmdClass(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    out(windowClass(h));
    return kOk;
}

int cmdStyle(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    char buf[64];
    std::snprintf(buf, sizeof buf, "0x%08lx 0x%08lx", (unsigned long)GetWindowLongW(h, GWL_STYLE),
                  (unsigned long)GetWindowLongW(h, GWL_EXSTYLE));
    out(buf);
    return kOk;
}

int cmdPid(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    out(std::to_string(pid));
    return kOk;
}

int cmdForeground(const Args&) {
    out(hexHandle(GetForegroundWindow()));
    return kOk;
}

int cmdChildren(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    Match all;
    for (HWND c : childWindows(h, all))
        out(hexHandle(c) + " " + windowClass(c) + " " + quoted(windowText(c)));
    return kOk;
}

int cmdWindowsOfPid(const Args& a) {
    Match m;
    m.pid = (DWORD)parseNumber(a[0]);
    std::vector<HWND> found = topLevelWindows(m);
    for (HWND h : found)
        out(hexHandle(h) + " " + (IsWindowVisible(h) ? "1" : "0") + " " + windowClass(h) + " " +
            quoted(windowText(h)));
    return found.empty() ? kFailed : kOk;
}

int cmdTrayWindows(const Args&) {
    Match tray;
    tray.cls = L"Shell_TrayWnd";
    std::vector<HWND> found = topLevelWindows(tray);
    for (HWND h : found) {
        out(hexHandle(h) + " " + (IsWindowVisible(h) ? "1" : "0") + " " + windowClass(h) + " " +
            quoted(windowText(h)));
        Match all;
        for (HWND c : childWindows(h, all))
            out("  " + hexHandle(c) + " " + windowClass(c) + " " + quoted(windowText(c)));
    }
    return found.empty() ? kFailed : kOk;
}

int cmdWaitVisible(HWND h, bool wanted, long long timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (!IsWindow(h)) return wanted ? kFailed : kOk;
        if (!!IsWindowVisible(h) == wanted) return kOk;
        if ((long long)(GetTickCount() - start) >= timeoutMs) return kFailed;
        Sleep(100);
    }
}

int cmdWaitShown(const Args& a) {
    return cmdWaitVisible(parseHandle(a[0]), true, parseNumber(a[1]));
}

int cmdWaitHidden(const Args& a) {
    return cmdWaitVisible(parseHandle(a[0]), false, parseNumber(a[1]));
}

int cmdWaitGone(const Args& a) {
    HWND h = parseHandle(a[0]);
    long long timeout = parseNumber(a[1]);
    DWORD start = GetTickCount();
    while (IsWindow(h)) {
        if ((long long)(GetTickCount() - start) >= timeout) return kFailed;
        Sleep(100);
    }
    return kOk;
}

// ---- messages ---------------------------------------------------------------

int cmdPost(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    BOOL ok =
        PostMessageW(h, parseMessage(a[1]), (WPARAM)parseNumber(a[2]), (LPARAM)parseNumber(a[3]));
    return ok ? kOk : kFailed;
}

int cmdSend(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, parseMessage(a[1]), (WPARAM)parseNumber(a[2]),
                             (LPARAM)parseNumber(a[3]), SMTO_NORMAL, 10000, &result)) {
        std::fprintf(stderr, "no answer from the window\n");
        return kFailed;
    }
    out(std::to_string((long long)(LRESULT)result));
    return kOk;
}

// Posts to every top-level window, as the shell does with "TaskbarCreated".
int cmdBroadcast(const Args& a) {
    return PostMessageW(HWND_BROADCAST, parseMessage(a[0]), (WPARAM)parseNumber(a[1]),
                        (LPARAM)parseNumber(a[2]))
               ? kOk
               : kFailed;
}

int cmdClose(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    return PostMessageW(h, WM_CLOSE, 0, 0) ? kOk : kFailed;
}

// Changes a window's outer size from outside, as a user's drag would.
int cmdResize(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    return SetWindowPos(h, nullptr, 0, 0, (int)parseNumber(a[1]), (int)parseNumber(a[2]),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? kOk
               : kFailed;
}

// ---- processes ----------------------------------------------------------------

// Windows process ids of the running programs whose file name is `exe`
// (case-insensitive, e.g. MoxelUtility.exe).
std::vector<DWORD> processesNamed(const std::string& exe) {
    std::vector<DWORD> pids;
    std::wstring name = widen(exe);
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return pids;
    PROCESSENTRY32W e;
    e.dwSize = sizeof e;
    for (BOOL more = Process32FirstW(snap, &e); more; more = Process32NextW(snap, &e))
        if (_wcsicmp(e.szExeFile, name.c_str()) == 0) pids.push_back(e.th32ProcessID);
    CloseHandle(snap);
    return pids;
}

int cmdPids(const Args& a) {
    std::vector<DWORD> pids = processesNamed(a[0]);
    for (DWORD pid : pids)
        out(std::to_string(pid));
    return pids.empty() ? kFailed : kOk;
}

int cmdKillExe(const Args& a) {
    int killed = 0;
    for (DWORD pid : processesNamed(a[0])) {
        HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!p) continue;
        if (TerminateProcess(p, 1)) {
            WaitForSingleObject(p, 5000);
            ++killed;
        }
        CloseHandle(p);
    }
    out(std::to_string(killed));
    return kOk;
}

// ---- registry -------------------------------------------------------------------

struct RegPath {
    HKEY root;
    std::wstring sub;
};

RegPath parseRegPath(const std::string& s) {
    size_t slash = s.find('\\');
    std::string root = s.substr(0, slash);
    RegPath p;
    if (_stricmp(root.c_str(), "HKLM") == 0 || _stricmp(root.c_str(), "HKEY_LOCAL_MACHINE") == 0)
        p.root = HKEY_LOCAL_MACHINE;
    else if (_stricmp(root.c_str(), "HKCU") == 0 ||
             _stricmp(root.c_str(), "HKEY_CURRENT_USER") == 0)
        p.root = HKEY_CURRENT_USER;
    else
        throw UsageError{"registry paths start with HKLM\\ or HKCU\\: " + s};
    if (slash != std::string::npos) p.sub = widen(s.substr(slash + 1));
    return p;
}

std::string hexBytes(const BYTE* data, size_t n) {
    std::string s;
    char buf[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "%02x", data[i]);
        if (i) s += ' ';
        s += buf;
    }
    return s;
}

std::vector<BYTE> parseHexBytes(const std::string& s) {
    std::string digits;
    for (char c : s)
        if (!std::isspace((unsigned char)c) && c != ',') digits += c;
    if (digits.size() % 2) throw UsageError{"odd number of hex digits: " + s};
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < digits.size(); i += 2) {
        char* end = nullptr;
        std::string pair = digits.substr(i, 2);
        unsigned long v = std::strtoul(pair.c_str(), &end, 16);
        if (*end != '\0') throw UsageError{"not hex: " + s};
        bytes.push_back((BYTE)v);
    }
    return bytes;
}

std::string typeName(DWORD type) {
    switch (type) {
    case REG_NONE:
        return "REG_NONE";
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_QWORD:
        return "REG_QWORD";
    }
    return "REG_TYPE_" + std::to_string(type);
}

std::string formatValue(DWORD type, const std::vector<BYTE>& data) {
    auto text = [&] {
        std::wstring w((const wchar_t*)data.data(), data.size() / sizeof(wchar_t));
        while (!w.empty() && w.back() == L'\0')
            w.pop_back();
        return w;
    };
    auto joined = [](const std::string& type, const std::string& value) {
        return value.empty() ? type : type + " " + value;
    };
    switch (type) {
    case REG_DWORD: {
        DWORD v = 0;
        std::memcpy(&v, data.data(), std::min<size_t>(data.size(), sizeof v));
        return "REG_DWORD " + std::to_string(v);
    }
    case REG_QWORD: {
        unsigned long long v = 0;
        std::memcpy(&v, data.data(), std::min<size_t>(data.size(), sizeof v));
        return "REG_QWORD " + std::to_string(v);
    }
    case REG_SZ:
        return joined("REG_SZ", narrow(text()));
    case REG_EXPAND_SZ:
        return joined("REG_EXPAND_SZ", narrow(text()));
    case REG_MULTI_SZ: {
        std::wstring w = text();
        for (auto& c : w)
            if (c == L'\0') c = L'|';
        return joined("REG_MULTI_SZ", narrow(w));
    }
    case REG_BINARY:
        return joined("REG_BINARY", hexBytes(data.data(), data.size()));
    default:
        return joined("REG_TYPE_" + std::to_string(type), hexBytes(data.data(), data.size()));
    }
}

int cmdRegGet(const Args& a) {
    RegPath p = parseRegPath(a[0]);
    std::wstring value = widen(a[1]);
    HKEY key;
    if (RegOpenKeyExW(p.root, p.sub.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return kFailed;
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExW(key, value.c_str(), nullptr, &type, nullptr, &size);
    std::vector<BYTE> data(size);
    if (rc == ERROR_SUCCESS && size)
        rc = RegQueryValueExW(key, value.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return kFailed;
    data.resize(size);
    out(formatValue(type, data));
    return kOk;
}

int cmdRegSet(const Args& a) {
    RegPath p = parseRegPath(a[0]);
    std::wstring value = widen(a[1]);
    const std::string& type = a[2];
    std::vector<BYTE> data;
    DWORD regType;
    if (type == "REG_DWORD") {
        regType = REG_DWORD;
        DWORD v = (DWORD)parseNumber(a[3]);
        data.assign((BYTE*)&v, (BYTE*)&v + sizeof v);
    } else if (type == "REG_SZ" || type == "REG_EXPAND_SZ") {
        regType = type == "REG_SZ" ? REG_SZ : REG_EXPAND_SZ;
        std::wstring w = widen(a[3]);
        data.assign((const BYTE*)w.c_str(), (const BYTE*)(w.c_str() + w.size() + 1));
    } else if (type == "REG_BINARY") {
        regType = REG_BINARY;
        data = parseHexBytes(a[3]);
    } else {
        throw UsageError{"types are REG_DWORD, REG_SZ, REG_EXPAND_SZ, REG_BINARY"};
    }
    HKEY key;
    if (RegCreateKeyExW(p.root, p.sub.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return kFailed;
    LONG rc = RegSetValueExW(key, value.c_str(), 0, regType, data.data(), (DWORD)data.size());
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? kOk : kFailed;
}

// Without VALUE the whole key goes, subkeys included. Exit 1 when there was
// nothing to delete.
int cmdRegDel(const Args& a) {
    RegPath p = parseRegPath(a[0]);
    if (a.size() == 1) {
        if (p.sub.empty()) throw UsageError{"refusing to delete a whole root"};
        return RegDeleteTreeW(p.root, p.sub.c_str()) == ERROR_SUCCESS ? kOk : kFailed;
    }
    HKEY key;
    if (RegOpenKeyExW(p.root, p.sub.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return kFailed;
    LONG rc = RegDeleteValueW(key, widen(a[1]).c_str());
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? kOk : kFailed;
}

// Every value of a key as "NAME TYPE SIZE", in the registry's order, so that
// tests see a changed type or size and a value that went or came.
int cmdRegValues(const Args& a) {
    RegPath p = parseRegPath(a[0]);
    HKEY key;
    if (RegOpenKeyExW(p.root, p.sub.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return kFailed;
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name / sizeof name[0], type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        out(narrow(std::wstring(name, length)) + " " + typeName(type) + " " + std::to_string(size));
    }
    RegCloseKey(key);
    return kOk;
}

int cmdRegExists(const Args& a) {
    RegPath p = parseRegPath(a[0]);
    HKEY key;
    bool exists = RegOpenKeyExW(p.root, p.sub.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS;
    if (exists) {
        if (a.size() > 1)
            exists = RegQueryValueExW(key, widen(a[1]).c_str(), nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    out(exists ? "1" : "0");
    return exists ? kOk : kFailed;
}

// ---- display ---------------------------------------------------------------------

int cmdScreen(const Args&) {
    out(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
        std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    return kOk;
}

std::string modeText(const DEVMODEA& m) {
    return std::to_string(m.dmPelsWidth) + " " + std::to_string(m.dmPelsHeight) + " " +
           std::to_string(m.dmBitsPerPel);
}

int cmdMode(const Args&) {
    DEVMODEA m = {};
    m.dmSize = sizeof m;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &m)) return kFailed;
    out(modeText(m));
    return kOk;
}

int cmdModes(const Args&) {
    DEVMODEA m = {};
    m.dmSize = sizeof m;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &m); ++i)
        out(modeText(m));
    return kOk;
}

int cmdSetMode(const Args& a) {
    DEVMODEA m = {};
    m.dmSize = sizeof m;
    m.dmPelsWidth = (DWORD)parseNumber(a[0]);
    m.dmPelsHeight = (DWORD)parseNumber(a[1]);
    m.dmBitsPerPel = (DWORD)parseNumber(a[2]);
    m.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    LONG rc = ChangeDisplaySettingsA(&m, 0);
    if (rc != DISP_CHANGE_SUCCESSFUL) {
        std::fprintf(stderr, "ChangeDisplaySettings returned %ld\n", rc);
        return kFailed;
    }
    return kOk;
}

// ---- pictures ----------------------------------------------------------------------

// Writes a bottom-up 24-bit BMP of `bitmap`.
bool writeBmp(HDC dc, HBITMAP bitmap, int width, int height, const std::string& file) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(stride * (DWORD)height);
    if (!GetDIBits(dc, bitmap, 0, (UINT)height, pixels.data(), (BITMAPINFO*)&info, DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + (DWORD)pixels.size();
    info.biSizeImage = (DWORD)pixels.size();
    FILE* f = _wfopen(widen(file).c_str(), L"wb");
    if (!f) return false;
    bool ok = std::fwrite(&header, sizeof header, 1, f) == 1 &&
              std::fwrite(&info, sizeof info, 1, f) == 1 &&
              std::fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return std::fclose(f) == 0 && ok;
}

// Copies a rectangle of the screen; with `window` set, asks the window to
// paint itself instead (PrintWindow), which also works when it is covered.
bool capture(HWND window, const RECT& r, const std::string& file) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    bool ok = window ? PrintWindow(window, mem, 0) != FALSE
                     : BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != FALSE;
    SelectObject(mem, old);
    ok = ok && writeBmp(mem, bitmap, w, h, file);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

int cmdCapture(const Args& a) {
    Options o(a, {}, {"--print"});
    if (o.positional.size() != 2) throw UsageError{"capture HWND file.bmp [--print]"};
    HWND h = existingWindow(o.positional[0]);
    if (!h) return kFailed;
    RECT r;
    GetWindowRect(h, &r);
    return capture(o.has("--print") ? h : nullptr, r, o.positional[1]) ? kOk : kFailed;
}

int cmdCaptureScreen(const Args& a) {
    RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return capture(nullptr, r, a[0]) ? kOk : kFailed;
}

std::string colourText(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

// Prints the colour at each (X, Y) of dc, one a line; fails on the first
// point outside it.
int printPixels(HDC dc, const Args& a, size_t first) {
    for (size_t i = first; i < a.size(); i += 2) {
        COLORREF c = GetPixel(dc, (int)parseNumber(a[i]), (int)parseNumber(a[i + 1]));
        if (c == CLR_INVALID) return kFailed;
        out(colourText(c));
    }
    return kOk;
}

void requirePairs(const Args& a, size_t first) {
    if ((a.size() - first) % 2 != 0) throw UsageError{"X and Y come in pairs"};
}

int cmdPixel(const Args& a) {
    requirePairs(a, 0);
    HDC screen = GetDC(nullptr);
    int rc = printPixels(screen, a, 0);
    ReleaseDC(nullptr, screen);
    return rc;
}

// Pixels of a bitmap file (a theme picture), top-down coordinates.
int cmdFilePixel(const Args& a) {
    requirePairs(a, 1);
    HBITMAP bitmap = (HBITMAP)LoadImageW(nullptr, widen(a[0]).c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) return kFailed;
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap);
    int rc = printPixels(mem, a, 1);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bitmap);
    return rc;
}

// Reads the screen pixels of `r` as 0x00RRGGBB values, rows top to bottom.
std::vector<DWORD> screenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<DWORD> pixels;
    if (w <= 0 || h <= 0) return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY)) {
            GdiFlush();
            const DWORD* p = static_cast<const DWORD*>(bits);
            pixels.assign(p, p + (size_t)w * h);
            for (DWORD& px : pixels)
                px &= 0xFFFFFF;
        }
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int cmdCaptureRect(const Args& a) {
    RECT r;
    r.left = (LONG)parseNumber(a[0]);
    r.top = (LONG)parseNumber(a[1]);
    r.right = r.left + (LONG)parseNumber(a[2]);
    r.bottom = r.top + (LONG)parseNumber(a[3]);
    return capture(nullptr, r, a[4]) ? kOk : kFailed;
}

// The notification area draws its icons into the taskbar window itself, in
// slots of small-icon size plus a 2-pixel border, filled from the right edge.
// Prints the screen centre of every occupied slot, rightmost first, so tests
// can count icons, click them or capture them. The taskbar shows only once
// there is an icon, and icons arrive asynchronously: --wait N polls until
// there are at least N.
std::vector<POINT> trayIcons() {
    std::vector<POINT> icons;
    Match tray;
    tray.cls = L"Shell_TrayWnd";
    tray.visibleOnly = true;
    std::vector<HWND> found = topLevelWindows(tray);
    if (found.empty()) return icons;
    RECT r;
    GetClientRect(found[0], &r);
    MapWindowPoints(found[0], nullptr, (POINT*)&r, 2);
    const int slot = GetSystemMetrics(SM_CXSMICON) + 4;
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<DWORD> px = screenPixels(r);
    if (px.empty()) return icons;
    for (int right = width; right - slot >= 0; right -= slot) {
        const int left = right - slot;
        const DWORD background = px[left];
        bool occupied = false;
        for (int y = 0; y < height && !occupied; ++y)
            for (int x = left + 1; x < right - 1 && !occupied; ++x)
                occupied = px[(size_t)y * width + x] != background;
        if (!occupied) break;
        icons.push_back({r.left + left + slot / 2, r.top + height / 2});
    }
    return icons;
}

// Whether the shell holds an icon for (window, id): a modify that changes
// nothing succeeds only for an icon the notification area has. The window
// may be gone: an icon its program failed to delete still answers.
bool trayHas(HWND window, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

int cmdTrayHas(const Args& a) {
    const UINT id = a.size() > 1 ? (UINT)parseNumber(a[1]) : 1;
    out(trayHas(parseHandle(a[0]), id) ? "1" : "0");
    return kOk;
}

// Deletes an icon from the notification area as its own program would, with
// the (window, id) it was added with: what a shell that lost its icons shows.
int cmdTrayDelete(const Args& a) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = parseHandle(a[0]);
    data.uID = a.size() > 1 ? (UINT)parseNumber(a[1]) : 1;
    return Shell_NotifyIconW(NIM_DELETE, &data) ? kOk : kFailed;
}

// The icons of the named program's processes that the notification area
// shows (their top-level windows with an icon of id 1), as "HWND TITLE";
// other programs' icons never count.
int cmdTrayOwn(const Args& a) {
    for (DWORD pid : processesNamed(a[0])) {
        Match m;
        m.pid = pid;
        for (HWND h : topLevelWindows(m))
            if (trayHas(h, 1)) out(hexHandle(h) + " " + quoted(windowText(h)));
    }
    return kOk;
}

// The taskbar's buttons: Wine's shell makes one child button of the taskbar
// window per window it lists, with that window's handle as its control id.
// Prints "HWND TITLE" of each window whose button shows.
int cmdTaskbarButtons(const Args&) {
    Match tray;
    tray.cls = L"Shell_TrayWnd";
    std::vector<HWND> trays = topLevelWindows(tray);
    if (trays.empty()) return kFailed;
    Match buttons;
    buttons.cls = L"Button";
    buttons.visibleOnly = true;
    for (HWND button : childWindows(trays[0], buttons)) {
        HWND target = (HWND)(uintptr_t)GetWindowLongPtrW(button, GWLP_ID);
        if (target && IsWindow(target)) out(hexHandle(target) + " " + quoted(windowText(target)));
    }
    return kOk;
}

int cmdTrayIcons(const Args& a) {
    Options o(a, {"--wait", "--timeout"});
    if (!o.positional.empty()) throw UsageError{"tray-icons [--wait N] [--timeout ms]"};
    const size_t wanted = (size_t)parseNumber(o.get("--wait", "0"));
    const long long timeout = parseNumber(o.get("--timeout", "5000"));
    DWORD start = GetTickCount();
    std::vector<POINT> icons = trayIcons();
    while (icons.size() < wanted && (long long)(GetTickCount() - start) < timeout) {
        Sleep(100);
        icons = trayIcons();
    }
    for (const POINT& p : icons)
        out(std::to_string(p.x) + " " + std::to_string(p.y));
    return icons.size() >= wanted ? kOk : kFailed;
}

// The tooltip texts of the notification area's icons, one per line. The
// tooltips belong to the shell's process, so the tool records and the text
// buffer are placed in that process's memory for the tooltip to fill.
int cmdTrayTips(const Args&) {
    Match tray;
    tray.cls = L"Shell_TrayWnd";
    std::vector<HWND> trays = topLevelWindows(tray);
    if (trays.empty()) return kFailed;
    Match tips;
    tips.cls = L"tooltips_class32";
    GetWindowThreadProcessId(trays[0], &tips.pid);
    HANDLE shell =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, tips.pid);
    if (!shell) return kFailed;
    const SIZE_T textOffset = 512, textChars = 256;
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(shell, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote) {
        CloseHandle(shell);
        return kFailed;
    }
    for (HWND tip : topLevelWindows(tips)) {
        const LRESULT count = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            WriteProcessMemory(shell, remote, &info, sizeof info, nullptr);
            if (!SendMessageW(tip, TTM_ENUMTOOLSW, (WPARAM)i, (LPARAM)remote)) continue;
            ReadProcessMemory(shell, remote, &info, sizeof info, nullptr);
            info.lpszText = reinterpret_cast<LPWSTR>(remote + textOffset);
            std::vector<wchar_t> text(textChars, L'\0');
            WriteProcessMemory(shell, remote, &info, sizeof info, nullptr);
            WriteProcessMemory(shell, remote + textOffset, text.data(), text.size() * 2, nullptr);
            SendMessageW(tip, TTM_GETTEXTW, textChars, (LPARAM)remote);
            ReadProcessMemory(shell, remote + textOffset, text.data(), (text.size() - 1) * 2,
                              nullptr);
            out(narrow(std::wstring(text.data())));
        }
    }
    VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
    CloseHandle(shell);
    return kOk;
}

// ---- input -------------------------------------------------------------------------

// Prints "down toggled" as two 0/1 digits. Wine keeps key state per thread
// and a new thread starts from nothing, so under Wine this shows only what
// this process itself pressed; judge lock keys by the program's reaction.
int cmdKeyState(const Args& a) {
    SHORT s = GetKeyState(parseKey(a[0]));
    out(std::string((s & 0x8000) ? "1" : "0") + " " + ((s & 1) ? "1" : "0"));
    return kOk;
}

// One key, or a chord such as alt+space: the keys go down in order and up in
// reverse, as a hand presses them.
int cmdKey(const Args& a) {
    std::vector<BYTE> keys;
    size_t start = 0;
    for (size_t plus = a[0].find('+', 1); plus != std::string::npos;
         start = plus + 1, plus = a[0].find('+', start))
        keys.push_back(parseKey(a[0].substr(start, plus - start)));
    keys.push_back(parseKey(a[0].substr(start)));
    const auto send = [](BYTE vk, DWORD up) {
        BYTE scan = (BYTE)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        DWORD extended = vk == VK_NUMLOCK ? KEYEVENTF_EXTENDEDKEY : 0;
        keybd_event(vk, scan, extended | up, 0);
    };
    for (BYTE vk : keys)
        send(vk, 0);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        send(*it, KEYEVENTF_KEYUP);
    Sleep(50);
    return kOk;
}

int clickAt(int x, int y, const std::string& how) {
    DWORD down, up;
    int times = 1;
    if (how == "left") {
        down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    } else if (how == "right") {
        down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    } else if (how == "double") {
        down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP, times = 2;
    } else {
        throw UsageError{"button is left, right or double"};
    }
    if (!SetCursorPos(x, y)) return kFailed;
    Sleep(50);
    // Press and release apart, as a hand would: a control that takes the
    // mouse capture on the press must have done so before the release.
    for (int i = 0; i < times; ++i) {
        for (DWORD flags : {down, up}) {
            INPUT in = {};
            in.type = INPUT_MOUSE;
            in.mi.dwFlags = flags;
            if (SendInput(1, &in, sizeof in) != 1) return kFailed;
            Sleep(60);
        }
    }
    return kOk;
}

int cmdClick(const Args& a) {
    return clickAt((int)parseNumber(a[0]), (int)parseNumber(a[1]), a.size() > 2 ? a[2] : "left");
}

// Clicks the middle of a window, e.g. a check box found with find-child.
int cmdClickWindow(const Args& a) {
    HWND h = existingWindow(a[0]);
    if (!h) return kFailed;
    RECT r;
    GetWindowRect(h, &r);
    return clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, a.size() > 1 ? a[1] : "left");
}

void mouseButton(DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

// Presses the left button at (x1, y1), moves to (x2, y2) in steps and lets go.
int cmdDrag(const Args& a) {
    const int x1 = (int)parseNumber(a[0]), y1 = (int)parseNumber(a[1]);
    const int x2 = (int)parseNumber(a[2]), y2 = (int)parseNumber(a[3]);
    if (!SetCursorPos(x1, y1)) return kFailed;
    Sleep(50);
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    constexpr int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        SetCursorPos(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
        Sleep(30);
    }
    Sleep(100);
    mouseButton(MOUSEEVENTF_LEFTUP);
    Sleep(100);
    return kOk;
}

int cmdMove(const Args& a) {
    return SetCursorPos((int)parseNumber(a[0]), (int)parseNumber(a[1])) ? kOk : kFailed;
}

int cmdSleep(const Args& a) {
    Sleep((DWORD)parseNumber(a[0]));
    return kOk;
}

// ---- command table ----------------------------------------------------------------

struct Command {
    const char* name;
    size_t minArgs, maxArgs;
    const char* usage;
    int (*run)(const Args&);
};

constexpr size_t kAny = 99;

int cmdHelp(const Args&);

const Command kCommands[] = {
    {"find", 0, kAny,
     "[--class C] [--title T] [--pid P] [--exe NAME.exe] [--visible] [--timeout ms] [--all]",
     cmdFind},
    {"find-child", 1, kAny, "PARENT [--class C] [--title T] [--visible] [--timeout ms] [--all]",
     cmdFindChild},
    {"text", 1, 1, "HWND", cmdText},
    {"visible", 1, 1, "HWND", cmdVisible},
    {"exists", 1, 1, "HWND", cmdExists},
    {"rect", 1, 1, "HWND", cmdRect},
    {"client", 1, 1, "HWND", cmdClient},
    {"owner", 1, 1, "HWND", cmdOwner},
    {"parent", 1, 1, "HWND", cmdParent},
    {"class", 1, 1, "HWND", cmdClass},
    {"style", 1, 1, "HWND", cmdStyle},
    {"pid", 1, 1, "HWND", cmdPid},
    {"foreground", 0, 0, "", cmdForeground},
    {"children", 1, 1, "HWND", cmdChildren},
    {"windows-of-pid", 1, 1, "PID", cmdWindowsOfPid},
    {"tray-windows", 0, 0, "", cmdTrayWindows},
    {"wait-shown", 2, 2, "HWND TIMEOUT_MS", cmdWaitShown},
    {"wait-hidden", 2, 2, "HWND TIMEOUT_MS", cmdWaitHidden},
    {"wait-gone", 2, 2, "HWND TIMEOUT_MS", cmdWaitGone},
    {"post", 4, 4, "HWND MSG WPARAM LPARAM", cmdPost},
    {"send", 4, 4, "HWND MSG WPARAM LPARAM", cmdSend},
    {"broadcast", 3, 3, "MSG WPARAM LPARAM", cmdBroadcast},
    {"close", 1, 1, "HWND", cmdClose},
    {"resize", 3, 3, "HWND W H", cmdResize},
    {"pids", 1, 1, "NAME.exe", cmdPids},
    {"kill-exe", 1, 1, "NAME.exe", cmdKillExe},
    {"reg-get", 2, 2, "ROOT\\path VALUE", cmdRegGet},
    {"reg-set", 4, 4, "ROOT\\path VALUE TYPE DATA", cmdRegSet},
    {"reg-del", 1, 2, "ROOT\\path [VALUE]", cmdRegDel},
    {"reg-exists", 1, 2, "ROOT\\path [VALUE]", cmdRegExists},
    {"reg-values", 1, 1, "ROOT\\path", cmdRegValues},
    {"screen", 0, 0, "", cmdScreen},
    {"mode", 0, 0, "", cmdMode},
    {"modes", 0, 0, "", cmdModes},
    {"set-mode", 3, 3, "W H BITS", cmdSetMode},
    {"capture", 2, 3, "HWND file.bmp [--print]", cmdCapture},
    {"capture-screen", 1, 1, "file.bmp", cmdCaptureScreen},
    {"capture-rect", 5, 5, "X Y W H file.bmp", cmdCaptureRect},
    {"pixel", 2, kAny, "X Y [X Y...]", cmdPixel},
    {"file-pixel", 3, kAny, "file.bmp X Y [X Y...]", cmdFilePixel},
    {"tray-icons", 0, 4, "[--wait N] [--timeout ms]", cmdTrayIcons},
    {"tray-icons", 0, 0, "", cmdTrayIcons},
    {"tray-tips", 0, 0, "", cmdTrayTips},
    {"tray-has", 1, 2, "HWND [ID]", cmdTrayHas},
    {"tray-delete", 1, 2, "HWND [ID]", cmdTrayDelete},
    {"tray-own", 1, 1, "NAME.exe", cmdTrayOwn},
    {"taskbar-buttons", 0, 0, "", cmdTaskbarButtons},
    {"keystate", 1, 1, "VK", cmdKeyState},
    {"key", 1, 1, "VK[+VK...]", cmdKey},
    {"click", 2, 3, "X Y [left|right|double]", cmdClick},
    {"click-window", 1, 2, "HWND [left|right|double]", cmdClickWindow},
    {"move", 2, 2, "X Y", cmdMove},
    {"drag", 4, 4, "X1 Y1 X2 Y2", cmdDrag},
    {"sleep", 1, 1, "MS", cmdSleep},
    {"help", 0, 0, "", cmdHelp},
};

int cmdHelp(const Args&) {
    out("usage: MoxelDriver COMMAND ARGS...");
    for (const auto& c : kCommands)
        out(std::string("  ") + c.name + " " + c.usage);
    out("HWND: hex; numbers: decimal or 0x hex; MSG also WM_NAME[+N] or reg:NAME;");
    out("VK also caps|num|scroll|shift|control|alt|return|escape|space|tab.");
    out("exit: 0 ok, 1 not found/failed, 2 usage");
    return kOk;
}

Args commandLine() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Args args;
    for (int i = 1; i < argc; ++i)
        args.push_back(narrow(argv[i]));
    LocalFree(argv);
    return args;
}

} // namespace

int main() {
    // Binary mode: scripts compare the output, a "\r" would break that.
    _setmode(_fileno(stdout), _O_BINARY);
    Args args = commandLine();
    if (args.empty()) {
        cmdHelp(args);
        return kUsage;
    }
    const std::string name = args[0];
    args.erase(args.begin());
    for (const auto& c : kCommands) {
        if (name != c.name) continue;
        int rc;
        try {
            if (args.size() < c.minArgs || args.size() > c.maxArgs)
                throw UsageError{"wrong number of arguments"};
            rc = c.run(args);
        } catch (const UsageError& e) {
            std::fprintf(stderr, "%s: %s\nusage: %s %s\n", name.c_str(), e.message.c_str(), c.name,
                         c.usage);
            rc = kUsage;
        }
        std::fflush(stdout);
        return rc;
    }
    std::fprintf(stderr, "unknown command: %s (try help)\n", name.c_str());
    return kUsage;
}
