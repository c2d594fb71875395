// Whether a mail program is there to take a message handed to MAPI.
#pragma once

#include <windows.h>

// FALSE without a default mail client.  Wine's own client passes a message
// on to the first of its mailer programs (the WineBrowser "Mailers"
// setting, xdg-email and the common mail readers by default) found on the
// Unix PATH; with none found it drops the message, noting it only on the
// terminal: then FALSE as well.
BOOL AfxIsMailProgramInstalled();
