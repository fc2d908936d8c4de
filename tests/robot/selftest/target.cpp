// target.exe - a small GUI program for the robot's self-test.
//
//   target.exe [NAME]       message box "Robot Target" (Yes/No); No ends with 7,
//                           a box that cannot be shown with 1.
//                           Yes opens the dialog "Robot Dialog - NAME" (NAME
//                           defaults to "none"); OK then shows a second box
//                           "Robot Target" with the edit text.
//   target.exe --sleep      shows nothing and never ends.
//
// Radio buttons Typical (251, checked) and Custom (252) form one group.
// The note (110) shows "box on"/"box off" 300 ms after the check box is clicked.
// Exit code after the dialog: selection*10000 + edit length*100 + check*10 + button,
// with the edit starting as "abc", the check box off and the selection 0.
#include <windows.h>
#include <stdio.h>
#include <string.h>

enum { ID_NOTE = 110, ID_COLOUR = 111, ID_NAME = 201, ID_BOX = 231, ID_LIST = 241, ID_TYPICAL = 251, ID_CUSTOM = 252 };

static char g_text[256];
static char g_title[128];

struct Template {
  alignas(4) WORD w[2048];
  int n;
};

static void putWord(Template *t, WORD v) { if (t->n < 2048) t->w[t->n++] = v; }

static void putText(Template *t, const char *s) {
  WCHAR wide[128];
  int len = MultiByteToWideChar(CP_ACP, 0, s, -1, wide, 128);
  if (len <= 0) { putWord(t, 0); return; }
  wide[127] = 0;
  for (int i = 0; i < len; ++i) putWord(t, wide[i]);
}

static void putDword(Template *t, DWORD v) { putWord(t, LOWORD(v)); putWord(t, HIWORD(v)); }

static void align4(Template *t) { if (t->n & 1) putWord(t, 0); }

static void putItem(Template *t, DWORD style, short x, short y, short cx, short cy,
                    WORD id, WORD atom, const char *text) {
  align4(t);
  putDword(t, style | WS_CHILD | WS_VISIBLE);
  putDword(t, 0);  // extended style
  putWord(t, x); putWord(t, y); putWord(t, cx); putWord(t, cy);
  putWord(t, id);
  putWord(t, 0xFFFF); putWord(t, atom);
  putText(t, text);
  putWord(t, 0);  // no creation data
}

static void buildDialog(Template *t) {
  t->n = 0;
  putDword(t, DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  putDword(t, 0);
  putWord(t, 9);  // items
  putWord(t, 0); putWord(t, 0); putWord(t, 220); putWord(t, 126);
  putWord(t, 0); putWord(t, 0);  // no menu, standard class
  putText(t, g_title);
  putWord(t, 8);
  putText(t, "MS Shell Dlg");
  putItem(t, SS_LEFT, 10, 10, 200, 10, ID_NOTE, 0x0082, "");
  putItem(t, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 24, 200, 14, ID_NAME, 0x0081, "");
  putItem(t, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 42, 200, 12, ID_BOX, 0x0080, "&Remember");
  putItem(t, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 58, 100, 60, ID_LIST, 0x0085, "");
  putItem(t, SS_LEFT, 120, 60, 90, 10, ID_COLOUR, 0x0082, "");
  putItem(t, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 76, 60, 12, ID_TYPICAL, 0x0080, "&Typical");
  putItem(t, BS_AUTORADIOBUTTON, 80, 76, 60, 12, ID_CUSTOM, 0x0080, "C&ustom");
  putItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 100, 104, 50, 14, IDOK, 0x0080, "OK");
  putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 160, 104, 50, 14, IDCANCEL, 0x0080, "Cancel");
}

static void showColour(HWND dlg) {
  char buf[32];
  LRESULT sel = SendDlgItemMessageA(dlg, ID_LIST, CB_GETCURSEL, 0, 0);
  _snprintf(buf, sizeof buf, "colour %d", (int)sel);
  buf[sizeof buf - 1] = 0;
  SetDlgItemTextA(dlg, ID_COLOUR, buf);
}

static void initDialog(HWND dlg) {
  static const char *colours[] = { "red", "green", "blue" };
  SetDlgItemTextA(dlg, ID_NOTE, "box off");
  SetDlgItemTextA(dlg, ID_NAME, "abc");
  for (int i = 0; i < 3; ++i) SendDlgItemMessageA(dlg, ID_LIST, CB_ADDSTRING, 0, (LPARAM)colours[i]);
  SendDlgItemMessageA(dlg, ID_LIST, CB_SETCURSEL, 0, 0);
  CheckDlgButton(dlg, ID_TYPICAL, BST_CHECKED);
  showColour(dlg);
}

static INT_PTR finish(HWND dlg, int button) {
  GetDlgItemTextA(dlg, ID_NAME, g_text, sizeof g_text);
  int len = (int)strlen(g_text);
  int box = IsDlgButtonChecked(dlg, ID_BOX) == BST_CHECKED ? 1 : 0;
  int sel = (int)SendDlgItemMessageA(dlg, ID_LIST, CB_GETCURSEL, 0, 0);
  EndDialog(dlg, sel * 10000 + (len > 99 ? 99 : len) * 100 + box * 10 + button);
  return TRUE;
}

static INT_PTR CALLBACK dialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) { initDialog(dlg); return TRUE; }
  if (msg == WM_TIMER) {  // the note follows the box 300 ms later, as a slow page would
    KillTimer(dlg, 1);
    SetDlgItemTextA(dlg, ID_NOTE, IsDlgButtonChecked(dlg, ID_BOX) == BST_CHECKED ? "box on" : "box off");
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  int id = LOWORD(wp), code = HIWORD(wp);
  if (id == ID_BOX && code == BN_CLICKED) SetTimer(dlg, 1, 300, NULL);
  else if (id == ID_LIST && code == CBN_SELCHANGE) showColour(dlg);
  else if (id == IDOK || id == IDCANCEL) return finish(dlg, id);
  return FALSE;
}

int main(int argc, char **argv) {
  static Template t;
  if (argc > 1 && strcmp(argv[1], "--sleep") == 0) { for (;;) Sleep(1000); }
  _snprintf(g_title, sizeof g_title, "Robot Dialog - %s", argc > 1 ? argv[1] : "none");
  g_title[sizeof g_title - 1] = 0;
  int answer = MessageBoxA(NULL, "Start the dialog?", "Robot Target", MB_YESNO);
  if (answer == 0) return 1;  // no box could be shown (no display)
  if (answer != IDYES) return 7;
  buildDialog(&t);
  INT_PTR code = DialogBoxIndirectParamA(GetModuleHandleA(NULL), (LPCDLGTEMPLATEA)t.w, NULL, dialogProc, 0);
  if (code < 0) return 1;
  if (code % 10 == IDOK) {
    char msg[320];
    _snprintf(msg, sizeof msg, "Thanks,\n%s.", g_text);
    msg[sizeof msg - 1] = 0;
    MessageBoxA(NULL, msg, "Robot Target", MB_OK);
  }
  return (int)code;
}
