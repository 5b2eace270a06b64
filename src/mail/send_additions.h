#pragma once
// Sending the additions to the secretary: the whole group written to a .k19
// file beside the loaded group file, and mailed when the user agrees.

#include "groupdata/group_store.h"
#include "mail/mail_transport.h"

// Does nothing unless a group file (".k09") is loaded. A failed save has told
// the user already; a failed mail leaves the .k19 file written.
void sendAdditions(groupdata::GroupStore& store, MailTransport& transport);
