#pragma once
// Simple MAPI as the board calls it: a message with recipients and attachments handed to the
// default mail program, which shows its compose window. On this desktop the host does the
// hand-over (THost::SendMail); the structures keep the values the caller fills in.
#include <cstdint>

struct MapiRecipDesc {
    uint32_t ulReserved;
    uint32_t ulRecipClass;
    const char* lpszName;
    const char* lpszAddress;
    uint32_t ulEIDSize;
    void* lpEntryID;
};

struct MapiFileDesc {
    uint32_t ulReserved;
    uint32_t flFlags;
    uint32_t nPosition;
    const char* lpszPathName;
    const char* lpszFileName;
    void* lpFileType;
};

struct MapiMessage {
    uint32_t ulReserved;
    const char* lpszSubject;
    const char* lpszNoteText;
    const char* lpszMessageType;
    const char* lpszDateReceived;
    const char* lpszConversationID;
    uint32_t flFlags;
    MapiRecipDesc* lpOriginator;
    uint32_t nRecipCount;
    MapiRecipDesc* lpRecips;
    uint32_t nFileCount;
    MapiFileDesc* lpFiles;
};

constexpr uint32_t MAPI_TO = 1;
constexpr uint32_t MAPI_LOGON_UI = 0x01;
constexpr uint32_t MAPI_NEW_SESSION = 0x02;
constexpr uint32_t MAPI_DIALOG = 0x08;
constexpr uint32_t MAPI_E_FAILURE = 2;

// Hands the message to the mail program and waits until it has taken it. 0 is success; any
// other value a failure (MAPI_E_FAILURE when there is no host or no message).
uint32_t MAPISendMail(uintptr_t session, uintptr_t uiParam, MapiMessage* message, uint32_t flags, uint32_t reserved);
