#include "platform/controls/Mapi.h"

#include "platform/controls/Host.h"

namespace {

std::string Text(const char* s) { return s ? s : ""; }

} // namespace

uint32_t MAPISendMail(uintptr_t, uintptr_t, MapiMessage* message, uint32_t, uint32_t)
{
    THost* host = THost::Current();
    if (!host || !message)
        return MAPI_E_FAILURE;
    TMailRequest mail;
    mail.Subject = Text(message->lpszSubject);
    mail.Body = Text(message->lpszNoteText);
    // The first primary recipient is the one the compose window starts with.
    for (uint32_t i = 0; i < message->nRecipCount && message->lpRecips; ++i) {
        if (message->lpRecips[i].ulRecipClass == MAPI_TO) {
            mail.RecipientName = Text(message->lpRecips[i].lpszName);
            mail.RecipientAddress = Text(message->lpRecips[i].lpszAddress);
            break;
        }
    }
    for (uint32_t i = 0; i < message->nFileCount && message->lpFiles; ++i)
        if (message->lpFiles[i].lpszPathName)
            mail.Attachments.push_back(message->lpFiles[i].lpszPathName);
    return static_cast<uint32_t>(host->SendMail(mail));
}
