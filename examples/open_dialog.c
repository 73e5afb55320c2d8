/* open_dialog.c: an open (or colour) dialog through dlgclient.dll; the reply printed, then the
 * properties a program wants read out of it by the reply reader, without parsing the text.
 *   open_dialog [STEPS [TColorDialog]]   STEPS work the dialog without a person, e.g. "cancel"
 * Exit status: the outcome (0 accepted, 1 cancelled, 2 no reply, 3 time-out, 5 a step could not
 * be applied). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dlgclient.h"

/* Prints "NAME: value" for a string property, "NAME: absent" when the reply does not hold it. */
static void PrintString(DlgClient *client, const char *name) {
  size_t length = 0;
  char *value;
  if (dlgclient_reply_string(client, name, NULL, 0, &length) != DLG_READ_FOUND) {
    printf("%s: absent\n", name);
    return;
  }
  value = malloc(length + 1);
  if (!value) return;
  dlgclient_reply_string(client, name, value, length + 1, NULL);
  printf("%s: %s\n", name, value);
  free(value);
}

/* Prints "NAME: first, second" for a set or a string list (short items only, for brevity). */
static void PrintItems(DlgClient *client, const char *name) {
  size_t count = 0, i;
  char item[256];
  if (dlgclient_reply_count(client, name, &count) != DLG_READ_FOUND) {
    printf("%s: absent\n", name);
    return;
  }
  printf("%s:", name);
  for (i = 0; i < count; ++i) {
    dlgclient_reply_item(client, name, i, item, sizeof item, NULL);
    printf("%s %s", i ? "," : "", item);
  }
  printf("\n");
}

int main(int argc, char **argv) {
  const int colour = argc > 2 && strcmp(argv[2], "TColorDialog") == 0;
  const char *request = colour ? "object Request: TColorDialog\r\n"
                                 "  Color = clRed\r\n"
                                 "end\r\n"
                               : "object Request: TOpenDialog\r\n"
                                 "  Filter = 'Text files (*.txt)|*.txt|All files|*.*'\r\n"
                                 "  Options = [ofHideReadOnly, ofFileMustExist]\r\n"
                                 "end\r\n";
  DlgClient *client = dlgclient_create(NULL); /* dlgserver.exe beside dlgclient.dll */
  int outcome, replied;
  size_t size;
  char *text;
  long value = 0;
  if (!client) return 2;
  /* Strict: a step that cannot be applied cancels the dialog and answers DLG_STEP_FAILED. */
  if (argc > 1 && !dlgclient_drive_strict(client, argv[1])) fprintf(stderr, "steps not understood\n");

  outcome = dlgclient_run(client, colour ? "TColorDialog" : "TOpenDialog", request, -1, 0);
  replied = outcome == DLG_ACCEPTED || outcome == DLG_CANCELLED;
  /* Ask for the length, then copy into a buffer one byte longer. */
  size = (replied ? dlgclient_reply(client, NULL, 0) : dlgclient_failure(client, NULL, 0)) + 1;
  text = malloc(size);
  if (text && replied) dlgclient_reply(client, text, size);
  if (text && !replied) dlgclient_failure(client, text, size);
  if (replied) fputs(text ? text : "", stdout); /* the component text ends with CR LF */
  else fprintf(stderr, "no reply: %s\n", text ? text : "out of memory");

  if (replied && colour) {
    if (dlgclient_reply_integer(client, "Color", &value) == DLG_READ_FOUND) printf("Color: %ld\n", value);
    else PrintString(client, "Color"); /* an unchanged colour comes back as its name (clRed) */
    PrintItems(client, "CustomColors");
  } else if (replied) {
    PrintString(client, "FileName");
    PrintItems(client, "Options");
  }
  free(text);
  dlgclient_destroy(client);
  return outcome;
}
