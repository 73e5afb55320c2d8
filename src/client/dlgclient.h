/* dlgclient.h: the dialog server from any language, through dlgclient.dll.
 *
 *   DlgClient *client = dlgclient_create(NULL);          // dlgserver.exe beside dlgclient.dll
 *   if (dlgclient_run(client, "TOpenDialog", request, -1, 0) == DLG_ACCEPTED) {
 *     size_t size = dlgclient_reply(client, NULL, 0) + 1;
 *     char *text = malloc(size);
 *     dlgclient_reply(client, text, size);                // the reply's component text
 *   }
 *   dlgclient_destroy(client);
 *
 * Plain C, every function __stdcall, exported by its undecorated name (as the platform's own
 * libraries are), so any language with a foreign-function interface can declare it.
 *
 * Threads: a client belongs to the thread that created it. Call its functions, and destroy it,
 * on that thread only: the client's hidden window, which receives the server's notices, lives
 * there, and the functions that wait handle that thread's messages while they wait. Clients
 * created on different threads are independent; one thread may have several. A prepare or run
 * from another thread, or from a callback during a run, is refused (no reply, and the reason in
 * dlgclient_failure).
 *
 * Memory: nothing is allocated on one side and freed on the other. Texts come back through
 * functions that copy into the caller's buffer and answer the full length; call with a null
 * buffer (or size 0) to learn the length, then with a buffer of length + 1 bytes.
 *
 * Callbacks run on the client's thread, during dlgclient_prepare and dlgclient_run; a text
 * passed to one is valid only during the call. A callback may destroy the client: its server
 * is ended, no callback follows, and the prepare or run answers as without a reply (with
 * nothing left to read) before the client goes. Starting another run from a callback is
 * refused (see Threads). */
#ifndef DLGCLIENT_H
#define DLGCLIENT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The interface is dlgclient.dll's; there is no static library of it (a C++ program can link
   the client library itself, client/dialog_client.h). */
#if defined(DLGCLIENT_BUILD)
#define DLGCLIENT_API __declspec(dllexport)
#else
#define DLGCLIENT_API __declspec(dllimport)
#endif
#define DLGCLIENT_CALL __stdcall

/* The version of this interface: major * 65536 + minor. A new minor version only adds.
   1.1 added strict steps (DLG_STEP_FAILED) and the reply reader. */
#define DLGCLIENT_VERSION 0x00010001

/* How a run ended; the numbers are also dlgrun's exit status. */
enum DlgOutcome {
  DLG_ACCEPTED = 0,  /* the dialog was accepted: the reply holds the object after it */
  DLG_CANCELLED = 1, /* the dialog was cancelled: the reply holds the object as it came back */
  DLG_NO_REPLY = 2,  /* no reply: the server reported a failure, refused the request, ended or
                        could not start; dlgclient_failure says which */
  DLG_TIMED_OUT = 3, /* the time limit passed first; the server is ended */
  DLG_STEP_FAILED = 5 /* strict steps only: a step could not be applied, so the dialog was
                         cancelled; dlgclient_failure names the step (the reply is the
                         cancelled object's) */
};

/* What a read of the reply found. */
enum DlgReadResult {
  DLG_READ_FOUND = 0,
  DLG_READ_ABSENT = 1,     /* the reply does not hold the property (a reply leaves out most
                              defaults), the index is past the last item, or there is no reply */
  DLG_READ_WRONG_TYPE = 2  /* the property holds a value of another kind */
};

typedef struct DlgClient DlgClient;

/* One line of narration: a notice, an answer, a reply code, a failure. */
typedef void(DLGCLIENT_CALL *DlgNarrateCallback)(void *context, const char *line);
/* A help request the server sent for the dialog (message 0x0F1F): `kind` is its wParam (1),
   `helpContext` the dialog's help context. */
typedef void(DLGCLIENT_CALL *DlgHelpCallback)(void *context, unsigned int kind, long helpContext);
/* Called about every 20 ms while a dialog runs. `dialogWindow` is the server's visible dialog
   owned by this client (an HWND), or null while there is none. */
typedef void(DLGCLIENT_CALL *DlgDialogCallback)(void *context, void *dialogWindow);

/* DLGCLIENT_VERSION of the library actually loaded. */
DLGCLIENT_API unsigned long DLGCLIENT_CALL dlgclient_version(void);

/* A client that runs `serverPath`, or dlgserver.exe beside dlgclient.dll when it is null or
   empty. Null only when the client's window cannot be made. */
DLGCLIENT_API DlgClient *DLGCLIENT_CALL dlgclient_create(const char *serverPath);
/* Ends the client's server, if any, and frees the client (from a callback: when the prepare or
   run that called it returns). A null client is ignored. */
DLGCLIENT_API void DLGCLIENT_CALL dlgclient_destroy(DlgClient *client);

/* Callbacks; a null function removes one. `context` is passed back unchanged. */
DLGCLIENT_API void DLGCLIENT_CALL dlgclient_on_narrate(DlgClient *client, DlgNarrateCallback callback,
                                                       void *context);
DLGCLIENT_API void DLGCLIENT_CALL dlgclient_on_help(DlgClient *client, DlgHelpCallback callback, void *context);
DLGCLIENT_API void DLGCLIENT_CALL dlgclient_on_dialog(DlgClient *client, DlgDialogCallback callback,
                                                      void *context);

/* Works the next runs' dialogs without a person with steps such as "file=C:\\data\\a.txt,ok"
   or "cancel" (the README lists them). Null or "" drives nothing. 1 when the steps were
   understood; 0, with the reason in dlgclient_failure, when not. Lenient, unlike dlgrun's
   --auto: a step that cannot be applied (a filter that is not there, a file not in the list) is
   only narrated, and the steps go on. */
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_drive(DlgClient *client, const char *steps);
/* As dlgclient_drive, but strict, as dlgrun's --auto is: a step that cannot be applied cancels
   the dialog, and the run answers DLG_STEP_FAILED with the step named in dlgclient_failure. */
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_drive_strict(DlgClient *client, const char *steps);

/* Starts a server for `className` now and waits until it is ready (at most `timeoutMs`
   milliseconds, 0 for the default of 30 s), so that the next run of that class starts at once.
   1 when it is ready; 0, with the reason in dlgclient_failure, when not. */
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_prepare(DlgClient *client, const char *className,
                                                   unsigned long timeoutMs);
/* With `keep` non-zero, every run starts a fresh server of the same class when it ends, ready
   for the next run (it gets ready while the calling thread handles its messages). */
DLGCLIENT_API void DLGCLIENT_CALL dlgclient_keep_spare(DlgClient *client, int keep);

/* Runs one dialog of `className` with the request's component text (`requestLength` bytes, or
   up to the first NUL when it is negative), using the prepared server when it is of that
   class, and waits for the outcome for at most `timeoutMs` milliseconds from the request
   (0: no limit). Answers the DlgOutcome; the reply and failure texts then hold its details. */
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_run(DlgClient *client, const char *className, const char *request,
                                               long requestLength, unsigned long timeoutMs);

/* The last run's outcome (DLG_NO_REPLY before any run). */
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_outcome(const DlgClient *client);
/* The last reply's component text, exactly as the server sent it; empty without a reply. */
DLGCLIENT_API size_t DLGCLIENT_CALL dlgclient_reply(const DlgClient *client, char *buffer, size_t size);
/* What went wrong last: the server's failure report, or the client's own description. */
DLGCLIENT_API size_t DLGCLIENT_CALL dlgclient_failure(const DlgClient *client, char *buffer, size_t size);

/* Reading the last reply without parsing its text: a property by its name as the reply writes
   it ("FileName", "Font.Name", "HistoryList.Strings" or "HistoryList"; letter case ignored),
   read by the code the server reads requests with. Each answers a DlgReadResult; on anything
   but DLG_READ_FOUND the outputs are left as they were.
     dlgclient_reply_string: a string, decoded ('It'#39's' gives It's), or an identifier value
       (fsEdit, clRed, True) as written; copied as dlgclient_reply copies, its whole length in
       *length (if not null).
     dlgclient_reply_integer: an integer (a Boolean as 0 or 1).
     dlgclient_reply_count: the members of a set ("Options": [ofReadOnly, ...]) or the items
       of a string list.
     dlgclient_reply_item: member or item `index` (from 0) of one of those, copied as a string. */
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_reply_string(const DlgClient *client, const char *path, char *buffer,
                                                        size_t size, size_t *length);
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_reply_integer(const DlgClient *client, const char *path, long *value);
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_reply_count(const DlgClient *client, const char *path, size_t *count);
DLGCLIENT_API int DLGCLIENT_CALL dlgclient_reply_item(const DlgClient *client, const char *path, size_t index,
                                                      char *buffer, size_t size, size_t *length);

#ifdef __cplusplus
}
#endif

#endif /* DLGCLIENT_H */
