/* raw_client.c: one dialog from dlgserver.exe with nothing but the wire protocol.
 *
 *   raw_client CLASS REQUEST-FILE [ok|cancel|none]
 *
 * Starts dlgserver.exe (beside this program), sends the request file's bytes unchanged, prints
 * the reply's component text on standard output and exits 0 accepted, 1 cancelled, 2 no reply
 * (the failure report's text on standard error), 3 time-out. "ok" or "cancel" answers the dialog
 * without a person; "none" (the default) leaves it to you. Every step of the checklist in the
 * README's protocol section is marked "Checklist:". */
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "server/dlgprotocol.h" /* the wire protocol's codes, class names and messages */

enum {
  READY = DLG_READY_NOTICE, RUN = DLG_RUN_REQUEST, ACCEPTED = DLG_ACCEPTED_REPLY,
  CANCELLED = DLG_CANCELLED_REPLY, RUNNING = DLG_RUNNING_NOTICE
};

static DWORD g_code;          /* the last reply or notice code taken */
static char *g_reply;         /* the reply's text (not NUL-terminated) */
static DWORD g_replySize;
static HWND g_hostForm;       /* the server's host form, once found */
static int g_sent;            /* our run request has been sent */

/* Checklist: one hidden window of ours is owner, help and notify window, and receives the reply.
 * Any program can send it WM_COPYDATA: take the ready notice once, and after our request only
 * what comes from the host form we found (wParam), and only one reply. */
static LRESULT CALLBACK ClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const COPYDATASTRUCT *data = (const COPYDATASTRUCT *)lParam;
    int wanted = data->dwData == READY ? g_code == 0
               : g_sent && g_hostForm && (HWND)wParam == g_hostForm && !g_reply &&
                 (data->dwData == RUNNING || data->dwData == ACCEPTED || data->dwData == CANCELLED);
    if (!wanted) {
      fprintf(stderr, "ignored: code %lu from window %p\n", (unsigned long)data->dwData, (void *)wParam);
      return 0;
    }
    if (data->dwData == ACCEPTED || data->dwData == CANCELLED) {
      g_reply = malloc(data->cbData + 1);  /* copy it now: lpData is gone once we return */
      memcpy(g_reply, data->lpData, data->cbData);
      g_replySize = data->cbData;
    }
    g_code = (DWORD)data->dwData;
    return 1;  /* the server does not look at this */
  }
  if (message == DLG_HELP_REQUEST) fprintf(stderr, "help request: context %ld\n", (long)lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

/* The first visible top-level window of the server's thread with this class and owner. */
struct Search { const char *className; HWND owner; HWND found; };
static BOOL CALLBACK Match(HWND window, LPARAM param) {
  struct Search *s = (struct Search *)param;
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (strcmp(name, s->className) != 0 || (s->owner && GetWindow(window, GW_OWNER) != s->owner)) return TRUE;
  if (s->owner && !IsWindowVisible(window)) return TRUE;
  s->found = window;
  return FALSE;
}
static HWND FindServerWindow(DWORD thread, const char *className, HWND owner) {
  struct Search s = {className, owner, NULL};
  EnumThreadWindows(thread, Match, (LPARAM)&s);
  return s.found;
}

/* Handles our messages until *code is one of the two wanted, the server ends or `ms` passed. */
static int Pump(HANDLE server, DWORD ms, DWORD want1, DWORD want2) {
  DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (g_code == want1 || g_code == want2) return 1;
    if ((int)(end - GetTickCount()) <= 0) return 0;
    if (MsgWaitForMultipleObjects(1, &server, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) return 0;
  }
}

/* Checklist: the run request is sent from a second thread with a time limit, because the
 * server answers it only after its failure report (if any) is closed; meanwhile this thread
 * keeps receiving the running notice and reads the report. */
struct Send { HWND hostForm, replyTo; COPYDATASTRUCT data; DWORD_PTR answer; LRESULT sent; };
static DWORD WINAPI SendRun(LPVOID param) {
  struct Send *s = param;
  s->sent = SendMessageTimeoutA(s->hostForm, WM_COPYDATA, (WPARAM)s->replyTo, (LPARAM)&s->data,
                                SMTO_NORMAL, 60000, &s->answer);
  return 0;
}

int main(int argc, char **argv) {
  if (argc < 3) { fprintf(stderr, "usage: raw_client CLASS REQUEST-FILE [ok|cancel|none]\n"); return 4; }
  const char *answer = argc > 3 ? argv[3] : "none";
  _setmode(_fileno(stdout), _O_BINARY);  /* the reply's CR LF, byte for byte */

  FILE *file = fopen(argv[2], "rb");     /* the request: component text, CR LF, no NUL */
  if (!file) { fprintf(stderr, "cannot read %s\n", argv[2]); return 4; }
  static char request[1 << 20];
  size_t requestSize = fread(request, 1, sizeof request, file);
  fclose(file);

  WNDCLASSA wc = {0};
  wc.lpfnWndProc = ClientProc;
  wc.lpszClassName = "RawDialogClient";
  RegisterClassA(&wc);
  HWND me = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL);

  /* Checklist: a job object ends the server with us; it never ends by itself while it waits. */
  HANDLE job = CreateJobObjectA(NULL, NULL);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit = {0};
  limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limit, sizeof limit);

  char path[MAX_PATH], commandLine[MAX_PATH + 128];
  GetModuleFileNameA(NULL, path, MAX_PATH);
  strcpy(strrchr(path, '\\') + 1, "dlgserver.exe");
  /* CLASS HELP OWNER NOTIFY: the class on the command line is the one that runs. Handles go as
     the decimal of their 32-bit value, on x64 too. */
  snprintf(commandLine, sizeof commandLine, "\"%s\" %s %ld %ld %ld", path, argv[1],
           HandleToLong(me), HandleToLong(me), HandleToLong(me));
  STARTUPINFOA si;
  ZeroMemory(&si, sizeof si);
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  /* Checklist: under Wine a start now and then fails with ERROR_INTERNAL_ERROR and succeeds when
   * tried again. */
  int attempt = 0, started = 0;
  while (!started && attempt++ < 3) {
    started = CreateProcessA(path, commandLine, NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, NULL, &si, &pi);
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
    if (!started) Sleep(50);
  }
  if (!started) {
    fprintf(stderr, "cannot start %s (error %lu)\n", path, (unsigned long)GetLastError());
    return 2;
  }
  AssignProcessToJobObject(job, pi.hProcess);
  ResumeThread(pi.hThread);

  /* Checklist: wait for the ready notice with a limit; bad arguments end the server with exit
   * code 0 and no notice at all. */
  if (!Pump(pi.hProcess, 30000, READY, READY)) { fprintf(stderr, "no ready notice\n"); return 2; }
  /* Checklist: the host form is created after the notice, and is up when the server first waits
   * for input: wait for that, then poll for it, with a limit. */
  WaitForInputIdle(pi.hProcess, 5000);
  HWND hostForm = NULL;
  for (int i = 0; i < 500 && !hostForm; ++i, Sleep(10))
    hostForm = FindServerWindow(pi.dwThreadId, DLG_HOST_FORM_CLASS, NULL);
  if (!hostForm) { fprintf(stderr, "no host form\n"); return 2; }
  g_hostForm = hostForm;

  struct Send send = {hostForm, me, {RUN, (DWORD)requestSize, request}, 0, 0};
  g_sent = 1;
  HANDLE sender = CreateThread(NULL, 0, SendRun, &send, 0, NULL);
  HWND application = FindServerWindow(pi.dwThreadId, DLG_APPLICATION_CLASS, NULL);
  int answered = 0, status = 3;
  DWORD end = GetTickCount() + 120000;
  while ((int)(end - GetTickCount()) > 0) {
    Pump(pi.hProcess, 50, ACCEPTED, CANCELLED);
    if (g_code == ACCEPTED || g_code == CANCELLED) {
      /* Checklist: a reply counts only when the server answered our request 1; the answer comes
       * before the reply, but our sending thread may take it a moment later. */
      WaitForSingleObject(sender, 10000);
      status = send.sent && send.answer == 1 ? (g_code == ACCEPTED ? 0 : 1) : 2;
      break;
    }
    /* Checklist: a failure is a message box owned by the hidden TApplication window; its text
     * is the static control 0xFFFF. Closing it lets the server answer the run request with 0. */
    HWND report = FindServerWindow(pi.dwThreadId, "#32770", application);
    if (report) {
      char text[1024] = "";
      GetDlgItemTextA(report, 0xFFFF, text, sizeof text);
      fprintf(stderr, "failure: %s\n", text);
      PostMessageA(report, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(sender, 0) == WAIT_OBJECT_0 && (!send.sent || send.answer == 0)) {
      status = 2;  /* no dialog will run: failure, unserved class, or no answer */
      break;
    }
    if (g_code == RUNNING && !answered && strcmp(answer, "none") != 0) {
      Sleep(300);  /* let the dialog settle, then answer it as a person would */
      HWND dialog = FindServerWindow(pi.dwThreadId, "#32770", me);
      if (dialog) {
        PostMessageA(dialog, WM_COMMAND, strcmp(answer, "ok") == 0 ? IDOK : IDCANCEL, 0);
        answered = 1;
      }
    }
  }
  if (status <= 1) {
    fwrite(g_reply, 1, g_replySize, stdout);
    /* The server ends by itself after the reply, with exit code 0. */
    WaitForSingleObject(pi.hProcess, 10000);
  } else {
    TerminateProcess(pi.hProcess, 1);  /* after a failure it would keep waiting */
  }
  fprintf(stderr, "%s (host form %p)\n", status == 0 ? "accepted" : status == 1 ? "cancelled"
                  : status == 2 ? "no reply" : "time-out", (void *)hostForm);
  CloseHandle(job);
  return status;
}
