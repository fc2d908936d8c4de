// robot.exe - drives the windows of a program under test from an answers file.
//
//   robot.exe ANSWERS RECORD -- PROGRAM [ARGS...]
//
// Starts PROGRAM, carries out the commands of ANSWERS one by one, writes what it
// saw and did to RECORD, then watches until the program ends and answers any
// window that nobody answered. Exit codes: 0 all steps passed and the program
// ended, 3 a step failed or an unexpected window appeared, 4 the program did not
// end within the time limit (it is terminated), 2 bad usage or answers file.
// See README.md for the command language.
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

int _dowildcard = 0;  // no globbing of our own arguments by the C runtime

enum { MAX_CMDS = 512, MAX_ARGS = 3, ARG_LEN = 512, LINE_LEN = 2048,
       TEXT_LEN = 4096, CMDLINE_LEN = 8192, MAX_WATCH = 64 };

static const DWORD kLimitMs = 60000;   // whole run (ROBOT_LIMIT_MS overrides)
static const DWORD kPollMs = 50;
static const DWORD kWaitMs = 8000;     // default for wait and gone
static const DWORD kEndMs = 10000;     // default for end
static const DWORD kGraceMs = 3000;    // before a window counts as unexpected
static const DWORD kSendMs = 2000;     // cross-process messages
static const DWORD kNotifyMs = 500;    // a notification may open a modal box
static const DWORD kSettleMs = 1000;   // checks retry this long
static const DWORD kRewaitMs = 500;    // a dismissed window is not waited for again
static const UINT kTerminateCode = 0xFFFF;

enum { EXIT_OK = 0, EXIT_USAGE = 2, EXIT_FAILED = 3, EXIT_TIMEOUT = 4 };

struct Command {
  int line, argc, def;  // def: index into kCommands
  char arg[MAX_ARGS][ARG_LEN];
  char raw[ARG_LEN];
};

typedef bool (*Handler)(const Command &c, char *why, size_t n);

struct CommandDef {
  const char *name;
  const char *need;  // required arguments: i = integer, s = text
  const char *opt;   // optional arguments
  Handler run;
};

extern const CommandDef kCommands[];
static Command g_cmds[MAX_CMDS];
static int g_ncmds;
static PROCESS_INFORMATION g_pi;
static FILE *g_rec;
static DWORD g_start, g_limit = kLimitMs, g_dismissedAt;
static HWND g_cur, g_dismissed;

// ---------------------------------------------------------------- helpers

static DWORD since(DWORD t) { return GetTickCount() - t; }

static DWORD remaining() {
  DWORD used = since(g_start);
  return used >= g_limit ? 0 : g_limit - used;
}

static DWORD capped(DWORD ms) { DWORD r = remaining(); return ms < r ? ms : r; }
static bool programEnded() { return WaitForSingleObject(g_pi.hProcess, 0) == WAIT_OBJECT_0; }

static void logLine(const char *fmt, ...) {
  char buf[TEXT_LEN * 2 + 256];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  buf[sizeof buf - 1] = 0;
  if (g_rec) { fprintf(g_rec, "%s\n", buf); fflush(g_rec); }
  printf("%s\n", buf);
  fflush(stdout);
}

// Formats the reason of a failed step; always returns false.
static bool fail(char *why, size_t n, const char *fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(why, n, fmt, ap);
  va_end(ap);
  why[n - 1] = 0;
  return false;
}

// Escapes CR, LF, tab, backslash and double quote for the record.
static void escapeText(const char *in, char *out, size_t size) {
  size_t o = 0;
  for (; *in && o + 3 < size; ++in) {
    char c = *in, e = 0;
    if (c == '\r') e = 'r'; else if (c == '\n') e = 'n'; else if (c == '\t') e = 't';
    else if (c == '\\' || c == '"') e = c;
    if (e) { out[o++] = '\\'; out[o++] = e; } else out[o++] = c;
  }
  out[o] = 0;
}

static bool parseInt(const char *s, long *out) {
  char *end = NULL;
  if (!*s) return false;
  *out = strtol(s, &end, 0);
  return *end == 0;
}

static long intArg(const Command &c, int i, long def) {
  long v = def;
  if (i < c.argc) parseInt(c.arg[i], &v);
  return v;
}

// ---------------------------------------------------------------- windows

static bool sendTo(HWND h, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR *res = NULL) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(h, msg, wp, lp, SMTO_ABORTIFHUNG, kSendMs, res ? res : &ignored) != 0;
}

static void windowTitle(HWND h, char *buf, int size) {
  buf[0] = 0;
  GetWindowTextA(h, buf, size);
  buf[size - 1] = 0;
}

static bool controlText(HWND h, char *buf, int size) {
  buf[0] = 0;
  bool ok = sendTo(h, WM_GETTEXT, (WPARAM)size, (LPARAM)buf);
  buf[size - 1] = 0;
  return ok;
}

static void className(HWND h, char *buf, int size) { if (!GetClassNameA(h, buf, size)) buf[0] = 0; }

// A visible, non-empty top-level window of the started program, not an IME window.
static bool isProgramWindow(HWND h) {
  DWORD pid = 0;
  char cls[64], title[64];
  RECT r;
  GetWindowThreadProcessId(h, &pid);
  if (pid != g_pi.dwProcessId || !IsWindowVisible(h)) return false;
  className(h, cls, sizeof cls);
  windowTitle(h, title, sizeof title);
  if (lstrcmpiA(cls, "IME") == 0 || strcmp(title, "Default IME") == 0) return false;
  return GetWindowRect(h, &r) && r.right > r.left && r.bottom > r.top;
}

struct WinList { HWND h[MAX_WATCH]; int n; };

static BOOL CALLBACK collectTop(HWND h, LPARAM lp) {
  WinList *l = (WinList *)lp;
  if (l->n < MAX_WATCH && isProgramWindow(h)) l->h[l->n++] = h;
  return TRUE;
}

static void programWindows(WinList *l) { l->n = 0; EnumWindows(collectTop, (LPARAM)l); }

static bool titleMatches(const char *title, const char *pattern) {
  size_t len = strlen(pattern);
  if (len > 0 && pattern[len - 1] == '*') return strncmp(title, pattern, len - 1) == 0;
  return strcmp(title, pattern) == 0;
}

static void logWindow(const char *what, HWND h) {
  char cls[256], title[TEXT_LEN], ecls[512], etitle[TEXT_LEN * 2];
  className(h, cls, sizeof cls);
  windowTitle(h, title, sizeof title);
  escapeText(cls, ecls, sizeof ecls);
  escapeText(title, etitle, sizeof etitle);
  logLine("%s \"%s\" \"%s\"", what, ecls, etitle);
}

static BOOL CALLBACK recordOne(HWND h, LPARAM) {
  char cls[256], text[TEXT_LEN], etext[TEXT_LEN * 2];
  className(h, cls, sizeof cls);
  controlText(h, text, sizeof text);
  escapeText(text, etext, sizeof etext);
  logLine("control %d %s \"%s\" visible=%d", GetDlgCtrlID(h), cls, etext, IsWindowVisible(h) ? 1 : 0);
  return TRUE;
}

static void recordControls(HWND h) { EnumChildWindows(h, recordOne, 0); }

struct Find { int id; HWND visible, any; };

static BOOL CALLBACK findOne(HWND h, LPARAM lp) {
  Find *f = (Find *)lp;
  if ((GetDlgCtrlID(h) & 0xFFFF) != (f->id & 0xFFFF)) return TRUE;
  if (!f->any) f->any = h;
  if (!IsWindowVisible(h)) return TRUE;
  f->visible = h;
  return FALSE;
}

// Control ID anywhere below the current window, a visible one first; 0 is the window.
static HWND findControl(int id) {
  Find f = { id, NULL, NULL };
  if (id == 0) return g_cur;
  EnumChildWindows(g_cur, findOne, (LPARAM)&f);
  return f.visible ? f.visible : f.any;
}

static bool needWindow(char *why, size_t n) {
  return (g_cur && IsWindow(g_cur)) || fail(why, n, "no current window");
}

static bool needControl(long id, HWND *h, char *why, size_t n) {
  if (!needWindow(why, n)) return false;
  *h = findControl((int)id);
  return *h || fail(why, n, "no control %ld", id);
}

// Actions need a control a user could reach: present, visible and enabled.
static bool needUsable(long id, HWND *h, char *why, size_t n) {
  if (!needControl(id, h, why, n)) return false;
  if (!IsWindowVisible(*h)) return fail(why, n, "control %ld is hidden", id);
  return IsWindowEnabled(*h) || fail(why, n, "control %ld is disabled", id);
}

static void notifyParent(HWND ctl, int code) {
  DWORD_PTR res = 0;
  WPARAM wp = MAKEWPARAM(GetDlgCtrlID(ctl) & 0xFFFF, code);
  SendMessageTimeoutA(GetParent(ctl), WM_COMMAND, wp, (LPARAM)ctl, SMTO_NORMAL, kNotifyMs, &res);
}

// ---------------------------------------------------------------- commands

// A window of the program with that title; boxOnly takes dialogs and
// message boxes (class #32770) only.
static HWND findTitled(const char *pattern, bool boxOnly) {
  WinList l;
  char title[TEXT_LEN], cls[64];
  programWindows(&l);
  for (int i = 0; i < l.n; ++i) {
    if (l.h[i] == g_dismissed && since(g_dismissedAt) < kRewaitMs) continue;
    if (boxOnly && (!GetClassNameA(l.h[i], cls, sizeof cls) || strcmp(cls, "#32770") != 0)) continue;
    windowTitle(l.h[i], title, sizeof title);
    if (titleMatches(title, pattern)) return l.h[i];
  }
  return NULL;
}

static bool waitFor(const Command &c, char *why, size_t n, bool boxOnly) {
  DWORD t0 = GetTickCount(), limit = capped((DWORD)intArg(c, 1, kWaitMs));
  for (;;) {
    HWND h = findTitled(c.arg[0], boxOnly);
    if (h) { g_cur = h; logWindow("window", h); return true; }
    if (programEnded()) return fail(why, n, "program ended before window \"%s\"", c.arg[0]);
    if (since(t0) >= limit) break;
    Sleep(kPollMs);
  }
  return fail(why, n, "no window \"%s\" within %lu ms", c.arg[0], (unsigned long)limit);
}

static bool cmdWait(const Command &c, char *why, size_t n) { return waitFor(c, why, n, false); }
static bool cmdWaitBox(const Command &c, char *why, size_t n) { return waitFor(c, why, n, true); }

// Runs a check repeatedly until it passes or kSettleMs have gone by.
static bool settled(Handler check, const Command &c, char *why, size_t n) {
  DWORD t0 = GetTickCount();
  for (;;) {
    if (check(c, why, n)) return true;
    if (since(t0) >= kSettleMs || programEnded()) return false;
    Sleep(kPollMs);
  }
}

// TEXT matches exactly; a leading or trailing '*' stands for any text there.
static bool textMatches(const char *got, const char *want) {
  size_t lw = strlen(want), lg = strlen(got);
  bool any0 = lw > 0 && want[0] == '*', any1 = lw > 1 && want[lw - 1] == '*';
  if (!any0 && !any1) return strcmp(got, want) == 0;
  std::string core(want + (any0 ? 1 : 0), lw - (any0 ? 1 : 0) - (any1 ? 1 : 0));
  if (any0 && any1) return strstr(got, core.c_str()) != NULL;
  if (core.size() > lg) return false;
  if (any0) return strcmp(got + lg - core.size(), core.c_str()) == 0;
  return strncmp(got, core.c_str(), core.size()) == 0;
}

static bool checkText(const Command &c, char *why, size_t n) {
  char got[TEXT_LEN], egot[TEXT_LEN * 2], ewant[ARG_LEN * 2];
  HWND h;
  long id = intArg(c, 0, 0);
  if (!needControl(id, &h, why, n)) return false;
  if (id == 0) windowTitle(h, got, sizeof got);
  else if (!controlText(h, got, sizeof got)) return fail(why, n, "control %ld does not answer", id);
  if (textMatches(got, c.arg[1])) return true;
  escapeText(got, egot, sizeof egot);
  escapeText(c.arg[1], ewant, sizeof ewant);
  return fail(why, n, "control %ld has \"%s\", expected \"%s\"", id, egot, ewant);
}

// expectvisible, expectenabled, expectchecked: the command name tells which state.
static bool checkState(const Command &c, char *why, size_t n) {
  const char *what = kCommands[c.def].name + 6;
  HWND h;
  DWORD_PTR res = 0;
  long id = intArg(c, 0, 0), want = intArg(c, 1, 0), got;
  if (!needControl(id, &h, why, n)) return false;
  if (what[0] == 'v') got = IsWindowVisible(h) ? 1 : 0;
  else if (what[0] == 'e') got = IsWindowEnabled(h) ? 1 : 0;
  else got = sendTo(h, BM_GETCHECK, 0, 0, &res) ? (long)res : -1;
  if (got == want) return true;
  return fail(why, n, "control %ld is %s=%ld, expected %ld", id, what, got, want);
}

static bool cmdExpect(const Command &c, char *why, size_t n) { return settled(checkText, c, why, n); }
static bool cmdState(const Command &c, char *why, size_t n) { return settled(checkState, c, why, n); }

static bool cmdRecord(const Command &, char *why, size_t n) {
  if (!needWindow(why, n)) return false;
  recordControls(g_cur);
  return true;
}

static bool cmdType(const Command &c, char *why, size_t n) {
  HWND h;
  DWORD_PTR res = 0;
  if (!needUsable(intArg(c, 0, 0), &h, why, n)) return false;
  return (sendTo(h, WM_SETTEXT, 0, (LPARAM)c.arg[1], &res) && res) || fail(why, n, "WM_SETTEXT refused");
}

static bool isAutoRadio(HWND h) { return (GetWindowLongA(h, GWL_STYLE) & 0x0F) == BS_AUTORADIOBUTTON; }

// Checking an automatic radio button clears the others of its group, as a click does.
static void clearRadioGroup(HWND h) {
  HWND parent = GetParent(h), it = h;
  if (!isAutoRadio(h)) return;
  for (int i = 0; i < 256; ++i) {
    it = GetNextDlgGroupItem(parent, it, FALSE);
    if (!it || it == h) break;
    if (isAutoRadio(it)) sendTo(it, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

static bool setCheck(const Command &c, char *why, size_t n, WPARAM state) {
  HWND h;
  if (!needUsable(intArg(c, 0, 0), &h, why, n)) return false;
  if (state == BST_CHECKED) clearRadioGroup(h);
  sendTo(h, BM_SETCHECK, state, 0);
  notifyParent(h, BN_CLICKED);
  return true;
}

static bool cmdCheck(const Command &c, char *why, size_t n) { return setCheck(c, why, n, BST_CHECKED); }
static bool cmdUncheck(const Command &c, char *why, size_t n) { return setCheck(c, why, n, BST_UNCHECKED); }

static bool cmdSelect(const Command &c, char *why, size_t n) {
  HWND h;
  char cls[64];
  DWORD_PTR res = 0;
  long index = intArg(c, 1, 0);
  if (!needUsable(intArg(c, 0, 0), &h, why, n)) return false;
  className(h, cls, sizeof cls);
  bool combo = lstrcmpiA(cls, "ComboBox") == 0;
  if (!combo && lstrcmpiA(cls, "ListBox") != 0) return fail(why, n, "control is a %s", cls);
  sendTo(h, combo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)index, 0, &res);
  if ((LRESULT)res == -1 && index != -1) return fail(why, n, "no item %ld", index);
  notifyParent(h, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
  return true;
}

static void dismissed() { g_dismissed = g_cur; g_dismissedAt = GetTickCount(); }

static bool cmdPress(const Command &c, char *why, size_t n) {
  HWND h;
  long id = intArg(c, 0, 0);
  if (!needUsable(id, &h, why, n)) return false;
  if (h == g_cur) return fail(why, n, "press needs a control id");
  HWND parent = GetParent(h);
  PostMessageA(parent ? parent : g_cur, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)h);
  dismissed();
  return true;
}

static bool cmdClose(const Command &, char *why, size_t n) {
  if (!needWindow(why, n)) return false;
  PostMessageA(g_cur, WM_CLOSE, 0, 0);
  dismissed();
  return true;
}

static bool cmdGone(const Command &c, char *why, size_t n) {
  DWORD t0 = GetTickCount(), limit = capped((DWORD)intArg(c, 0, kWaitMs));
  while (g_cur && IsWindow(g_cur)) {
    if (since(t0) >= limit) return fail(why, n, "window still there after %lu ms", (unsigned long)limit);
    Sleep(kPollMs);
  }
  return true;
}

static bool cmdRect(const Command &c, char *why, size_t n) {
  HWND h;
  RECT r;
  long id = intArg(c, 0, 0);
  if (!needControl(id, &h, why, n)) return false;
  if (!GetWindowRect(h, &r)) return fail(why, n, "GetWindowRect failed");
  logLine("rect %ld %ld %ld %ld %ld", id, (long)r.left, (long)r.top, (long)r.right, (long)r.bottom);
  return true;
}

static bool writeBmp(const char *path, const BITMAPINFOHEADER &bih, const void *bits) {
  DWORD off = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  BITMAPFILEHEADER fh = { 0x4D42 /* "BM" */, off + bih.biSizeImage, 0, 0, off };
  FILE *f = fopen(path, "wb");
  if (!f) return false;
  bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&bih, sizeof bih, 1, f) == 1 &&
            fwrite(bits, 1, bih.biSizeImage, f) == bih.biSizeImage;
  return fclose(f) == 0 && ok;
}

// Copies the whole screen into a bottom-up 24-bit DIB section and saves it.
static bool cmdShot(const Command &c, char *why, size_t n) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  void *bits = NULL;
  DWORD size = (DWORD)(((w * 3 + 3) & ~3) * h);  // rows padded to 4 bytes
  BITMAPINFO bi = { { sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, size, 0, 0, 0, 0 }, { { 0, 0, 0, 0 } } };
  const BITMAPINFOHEADER &bih = bi.bmiHeader;
  HDC screen = GetDC(NULL), mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  bool ok = bmp && mem;
  if (ok) {
    HGDIOBJ old = SelectObject(mem, bmp);
    ok = BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY) != 0;
    GdiFlush();
    ok = ok && writeBmp(c.arg[0], bih, bits);
    SelectObject(mem, old);
  }
  if (bmp) DeleteObject(bmp);
  if (mem) DeleteDC(mem);
  ReleaseDC(NULL, screen);
  if (!ok) return fail(why, n, "cannot save %s (error %lu)", c.arg[0], GetLastError());
  logLine("shot %dx%d", w, h);
  return true;
}

static bool cmdSleep(const Command &c, char *, size_t) {
  Sleep(capped((DWORD)intArg(c, 0, 0)));
  return true;
}

static bool cmdEnd(const Command &c, char *why, size_t n) {
  DWORD limit = capped((DWORD)intArg(c, 0, kEndMs));
  if (WaitForSingleObject(g_pi.hProcess, limit) == WAIT_OBJECT_0) return true;
  return fail(why, n, "program still running after %lu ms", (unsigned long)limit);
}

const CommandDef kCommands[] = {
  { "wait", "s", "i", cmdWait },         { "waitbox", "s", "i", cmdWaitBox },         { "expect", "is", "", cmdExpect },
  { "expectvisible", "ii", "", cmdState }, { "expectchecked", "ii", "", cmdState },
  { "expectenabled", "ii", "", cmdState }, { "record", "", "", cmdRecord },
  { "type", "is", "", cmdType },         { "check", "i", "", cmdCheck },
  { "uncheck", "i", "", cmdUncheck },    { "select", "ii", "", cmdSelect },
  { "press", "i", "", cmdPress },        { "close", "", "", cmdClose },
  { "gone", "", "i", cmdGone },          { "rect", "i", "", cmdRect },
  { "shot", "s", "", cmdShot },          { "sleep", "i", "", cmdSleep },
  { "end", "", "i", cmdEnd },
};
static const int kCommandCount = sizeof kCommands / sizeof kCommands[0];

// ---------------------------------------------------------------- answers file

static char unescape(char e) {
  static const char from[] = "nrt\"\\", to[] = "\n\r\t\"\\";
  const char *p = e ? strchr(from, e) : NULL;
  return p ? to[p - from] : 0;
}

// Reads one blank-separated token; a token in double quotes takes \n \r \t \" \\ escapes.
static const char *readToken(const char *p, char *out, size_t size, char *why, size_t n) {
  size_t o = 0;
  bool quoted = *p == '"';
  if (quoted) ++p;
  for (; *p && (quoted ? *p != '"' : (*p != ' ' && *p != '\t')); ++p) {
    char c = *p;
    if (quoted && c == '\\' && !(c = unescape(*++p))) {
      fail(why, n, "unknown escape \\%c", *p ? *p : '0');
      return NULL;
    }
    if (o + 1 >= size) { fail(why, n, "argument too long"); return NULL; }
    out[o++] = c;
  }
  out[o] = 0;
  if (quoted && *p != '"') { fail(why, n, "missing closing quote"); return NULL; }
  if (quoted) ++p;
  if (*p && *p != ' ' && *p != '\t') { fail(why, n, "text after closing quote"); return NULL; }
  return p;
}

static const char *skipBlanks(const char *p) { while (*p == ' ' || *p == '\t') ++p; return p; }

static int findDef(const char *name) {
  for (int i = 0; i < kCommandCount; ++i)
    if (strcmp(kCommands[i].name, name) == 0) return i;
  return -1;
}

static bool checkArgs(const Command &c, char *why, size_t n) {
  const CommandDef &d = kCommands[c.def];
  int need = (int)strlen(d.need), opt = (int)strlen(d.opt);
  if (c.argc < need || c.argc > need + opt)
    return fail(why, n, "%s takes %d to %d arguments", d.name, need, need + opt);
  for (int i = 0; i < c.argc; ++i) {
    char kind = i < need ? d.need[i] : d.opt[i - need];
    long v;
    if (kind == 'i' && !parseInt(c.arg[i], &v))
      return fail(why, n, "argument %d of %s is not a number", i + 1, d.name);
  }
  return true;
}

static bool parseLine(const char *line, Command *c, char *why, size_t n) {
  char name[ARG_LEN];
  const char *p = readToken(line, name, sizeof name, why, n);
  if (!p) return false;
  c->def = findDef(name);
  if (c->def < 0) return fail(why, n, "unknown command \"%s\"", name);
  for (c->argc = 0; *(p = skipBlanks(p)); ++c->argc) {
    if (c->argc == MAX_ARGS) return fail(why, n, "too many arguments");
    if (!(p = readToken(p, c->arg[c->argc], ARG_LEN, why, n))) return false;
  }
  _snprintf(c->raw, sizeof c->raw, "%s", line);
  c->raw[sizeof c->raw - 1] = 0;
  return checkArgs(*c, why, n);
}

static void trimEnd(char *s) {
  size_t len = strlen(s);
  while (len && strchr("\r\n \t", s[len - 1])) s[--len] = 0;
}

// Reads and checks the whole answers file before anything is started.
static bool loadAnswers(const char *path) {
  char line[LINE_LEN], why[512] = "";
  FILE *f = fopen(path, "rb");
  if (!f) { fprintf(stderr, "robot: cannot open %s\n", path); return false; }
  bool ok = true;
  int num = 0;
  while (ok && fgets(line, sizeof line, f)) {
    ++num;
    if (!strchr(line, '\n') && !feof(f)) { ok = fail(why, sizeof why, "line too long"); break; }
    trimEnd(line);
    const char *p = skipBlanks(line);
    if (!*p || *p == '#') continue;
    if (g_ncmds == MAX_CMDS) { ok = fail(why, sizeof why, "too many commands"); break; }
    g_cmds[g_ncmds].line = num;
    ok = parseLine(p, &g_cmds[g_ncmds], why, sizeof why);
    if (ok) ++g_ncmds;
  }
  fclose(f);
  if (!ok) fprintf(stderr, "robot: %s:%d: %s\n", path, num, why);
  return ok;
}

// ---------------------------------------------------------------- program

static bool put(char *out, size_t size, size_t *len, char c) {
  if (*len + 1 >= size) return false;
  out[(*len)++] = c;
  out[*len] = 0;
  return true;
}

// Appends one argument, quoted when it holds a blank or a quote (or is empty).
static bool appendArg(char *out, size_t size, size_t *len, const char *arg) {
  bool quote = !*arg || strpbrk(arg, " \t\"") != NULL;
  if (*len && !put(out, size, len, ' ')) return false;
  if (!quote) { for (; *arg; ++arg) if (!put(out, size, len, *arg)) return false; return true; }
  if (!put(out, size, len, '"')) return false;
  for (;; ++arg) {
    int slashes = 0;
    while (*arg == '\\') { ++slashes; ++arg; }
    int copies = !*arg ? slashes * 2 : *arg == '"' ? slashes * 2 + 1 : slashes;
    for (int i = 0; i < copies; ++i) if (!put(out, size, len, '\\')) return false;
    if (!*arg) break;
    if (!put(out, size, len, *arg)) return false;
  }
  return put(out, size, len, '"');
}

static bool startProgram(int argc, char **argv) {
  static char cmdline[CMDLINE_LEN], esc[CMDLINE_LEN * 2];
  size_t len = 0;
  STARTUPINFOA si;
  cmdline[0] = 0;
  for (int i = 0; i < argc; ++i)
    if (!appendArg(cmdline, sizeof cmdline, &len, argv[i])) {
      logLine("start FAIL command line too long");
      return false;
    }
  escapeText(cmdline, esc, sizeof esc);
  logLine("start \"%s\"", esc);
  memset(&si, 0, sizeof si);
  si.cb = sizeof si;
  if (CreateProcessA(NULL, cmdline, NULL, NULL, FALSE, 0, NULL, NULL, &si, &g_pi)) return true;
  logLine("start FAIL error %lu", GetLastError());
  return false;
}

static bool runSteps() {
  static char why[TEXT_LEN * 3];
  for (int i = 0; i < g_ncmds; ++i) {
    const Command &c = g_cmds[i];
    why[0] = 0;
    if (!kCommands[c.def].run(c, why, sizeof why)) {
      logLine("step %d FAIL line %d: %s", i + 1, c.line, why);
      return false;
    }
    logLine("step %d ok %s", i + 1, c.raw);
  }
  return true;
}

// ---------------------------------------------------------------- watching

struct Watched { HWND h; DWORD seen, last; int tries; };

// IDCANCEL, else IDNO, else IDOK, else WM_CLOSE; a window still there later gets WM_CLOSE.
static void answerWindow(HWND h, int tries) {
  static const int ids[] = { IDCANCEL, IDNO, IDOK };
  for (int i = 0; tries == 0 && i < 3; ++i) {
    HWND c = GetDlgItem(h, ids[i]);
    if (!c) continue;
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(ids[i], BN_CLICKED), (LPARAM)c);
    logLine("answer press %d", ids[i]);
    return;
  }
  PostMessageA(h, WM_CLOSE, 0, 0);
  logLine("answer close");
}

// The entry of window h; a new one takes the slot of a window that is gone.
static Watched *watchEntry(Watched *w, int *count, HWND h) {
  int slot = *count;
  for (int i = 0; i < *count; ++i) {
    if (w[i].h == h) return &w[i];
    if (!IsWindow(w[i].h)) slot = i;
  }
  if (slot == MAX_WATCH) return NULL;
  if (slot == *count) ++*count;
  Watched *e = &w[slot];
  e->h = h; e->seen = GetTickCount(); e->last = 0; e->tries = 0;
  return e;
}

// Answers windows that stayed kGraceMs; returns true when one of them was new.
static bool watchOnce(Watched *w, int *count) {
  WinList l;
  bool unexpected = false;
  programWindows(&l);
  for (int i = 0; i < l.n; ++i) {
    Watched *e = watchEntry(w, count, l.h[i]);
    if (!e || since(e->seen) < kGraceMs) continue;
    if (e->tries > 0 && (since(e->last) < kGraceMs || e->tries > 3)) continue;
    if (e->tries == 0) { logWindow("unexpected", e->h); recordControls(e->h); unexpected = true; }
    answerWindow(e->h, e->tries++);
    e->last = GetTickCount();
  }
  return unexpected;
}

// Watches until the program ends or the time limit; *timedOut when it had to be terminated.
static bool watch(bool *timedOut) {
  static Watched w[MAX_WATCH];
  int count = 0;
  bool unexpected = false;
  *timedOut = false;
  while (WaitForSingleObject(g_pi.hProcess, kPollMs) != WAIT_OBJECT_0) {
    if (remaining() == 0) {
      logLine("timeout after %lu ms: terminating the program", (unsigned long)g_limit);
      TerminateProcess(g_pi.hProcess, kTerminateCode);
      WaitForSingleObject(g_pi.hProcess, 5000);
      *timedOut = true;
      break;
    }
    if (watchOnce(w, &count)) unexpected = true;
  }
  return unexpected;
}

// ---------------------------------------------------------------- main

static void readLimit() {
  char buf[32];
  long v;
  DWORD len = GetEnvironmentVariableA("ROBOT_LIMIT_MS", buf, sizeof buf);
  if (len > 0 && len < sizeof buf && parseInt(buf, &v) && v > 0) g_limit = (DWORD)v;
}

int main(int argc, char **argv) {
  if (argc < 5 || strcmp(argv[3], "--") != 0) {
    fprintf(stderr, "usage: robot ANSWERS RECORD -- PROGRAM [ARGS...]\n");
    return EXIT_USAGE;
  }
  if (!loadAnswers(argv[1])) return EXIT_USAGE;
  g_rec = fopen(argv[2], "wb");  // LF line ends for the Linux side
  if (!g_rec) { fprintf(stderr, "robot: cannot write %s\n", argv[2]); return EXIT_USAGE; }
  readLimit();
  g_start = GetTickCount();
  if (!startProgram(argc - 4, argv + 4)) { fclose(g_rec); return EXIT_USAGE; }
  bool passed = runSteps(), timedOut = false;
  bool unexpected = watch(&timedOut);
  DWORD code = 0;
  GetExitCodeProcess(g_pi.hProcess, &code);
  logLine("exit=%lu", (unsigned long)code);
  fclose(g_rec);
  CloseHandle(g_pi.hThread);
  CloseHandle(g_pi.hProcess);
  if (timedOut) return EXIT_TIMEOUT;
  return passed && !unexpected ? EXIT_OK : EXIT_FAILED;
}
