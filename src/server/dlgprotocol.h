/* dlgprotocol.h: the wire protocol between a client and dlgserver.exe, in C (C89 and later,
 * and C++). Everything travels as WM_COPYDATA (wParam = the sending window, lParam = a
 * COPYDATASTRUCT {dwData: code, cbData: size, lpData: bytes}), plus one registered message.
 * Component text is 8-bit text of the ANSI code page without a terminating NUL. The README's
 * "Using the server from a client" says what each message means and when it comes. */
#ifndef DLGPROTOCOL_H
#define DLGPROTOCOL_H

/* server -> notify window (command-line argument 4), no data, once start-up has finished;
   wParam 0. Sent to the server: answered 1. */
#define DLG_READY_NOTICE 1024
/* client -> host form: the dialog object's component text. Answered 1 when a dialog will run
   (the client is released before it opens), 0 otherwise. */
#define DLG_RUN_REQUEST 1025
/* server -> the window that sent the run request: the object's component text after the
   dialog closed; wParam the host form. */
#define DLG_ACCEPTED_REPLY 1025
#define DLG_CANCELLED_REPLY 1026
/* server -> notify window, no data, wParam the host form: the dialog is about to open. */
#define DLG_RUNNING_NOTICE 1027
/* client -> host form, to a server started with a request key: the key's characters, then the
   component text. */
#define DLG_KEYED_RUN_REQUEST 1028
/* The environment variable that hands the server its request key at start. */
#define DLG_REQUEST_KEY_VARIABLE "DLGSERVER_REQUEST_KEY"

/* Registered message (RegisterWindowMessage) sent to the host form; answered 1. */
#define DLG_FOCUS_PROBE_MESSAGE "QTM_FocusMyDialog"
/* The windows a client finds among the server's main thread's top-level windows: the host form
   (never visible), and the application window, owner of the failure report box. */
#define DLG_HOST_FORM_CLASS "TDialogForm"
#define DLG_HOST_FORM_CAPTION "GetOpenFileName"
#define DLG_APPLICATION_CLASS "TApplication"
/* Help request a dialog sends to the help window (argument 2): wParam 1, lParam the context. */
#define DLG_HELP_REQUEST 0x0F1F
/* The largest request and reply under Wine, in bytes (Windows has no such limit). */
#define DLG_WINE_COPY_DATA_LIMIT 2000000

#endif /* DLGPROTOCOL_H */
