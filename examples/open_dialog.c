/* open_dialog.c: an open dialog through dlgclient.dll, its reply printed.
 *   open_dialog [STEPS]   STEPS work the dialog without a person, e.g. "cancel"
 * Exit status: the outcome (0 accepted, 1 cancelled, 2 no reply, 3 time-out). */
#include <stdio.h>
#include <stdlib.h>

#include "dlgclient.h"

int main(int argc, char **argv) {
  const char *request =
      "object Request: TOpenDialog\r\n"
      "  Filter = 'Text files (*.txt)|*.txt|All files|*.*'\r\n"
      "  Options = [ofHideReadOnly, ofFileMustExist]\r\n"
      "end\r\n";
  DlgClient *client = dlgclient_create(NULL); /* dlgserver.exe beside dlgclient.dll */
  if (!client) return 2;
  if (argc > 1 && !dlgclient_drive(client, argv[1])) fprintf(stderr, "steps not understood\n");

  int outcome = dlgclient_run(client, "TOpenDialog", request, -1, 0);
  int replied = outcome == DLG_ACCEPTED || outcome == DLG_CANCELLED;
  /* Ask for the length, then copy into a buffer one byte longer. */
  size_t size = (replied ? dlgclient_reply(client, NULL, 0) : dlgclient_failure(client, NULL, 0)) + 1;
  char *text = malloc(size);
  if (text && replied) dlgclient_reply(client, text, size);
  if (text && !replied) dlgclient_failure(client, text, size);
  if (replied) fputs(text ? text : "", stdout); /* the component text ends with CR LF */
  else fprintf(stderr, "no reply: %s\n", text ? text : "out of memory");

  free(text);
  dlgclient_destroy(client);
  return outcome;
}
