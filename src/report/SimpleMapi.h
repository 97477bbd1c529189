#pragma once

// The Simple MAPI interface as published: the types, structures, flags and result codes of the
// functions exported by MAPI32.DLL. Only what the Doctor's mail client and its tests use.

#include <windows.h>

#include <cstddef>

typedef ULONG_PTR LHANDLE;
typedef LHANDLE* LPLHANDLE;
typedef ULONG FLAGS;

struct MapiFileDesc {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    LPSTR lpszPathName;
    LPSTR lpszFileName;
    LPVOID lpFileType;
};

struct MapiRecipDesc {
    ULONG ulReserved;
    ULONG ulRecipClass;
    LPSTR lpszName;
    LPSTR lpszAddress;
    ULONG ulEIDSize;
    LPVOID lpEntryID;
};

struct MapiMessage {
    ULONG ulReserved;
    LPSTR lpszSubject;
    LPSTR lpszNoteText;
    LPSTR lpszMessageType;
    LPSTR lpszDateReceived;
    LPSTR lpszConversationID;
    FLAGS flFlags;
    MapiRecipDesc* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDesc* lpRecips;
    ULONG nFileCount;
    MapiFileDesc* lpFiles;
};

// The UTF-16 forms that MAPISendMailW takes (Windows 8 and later).
struct MapiFileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    PVOID lpFileType;
};

struct MapiRecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    PVOID lpEntryID;
};

struct MapiMessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    FLAGS flFlags;
    MapiRecipDescW* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDescW* lpRecips;
    ULONG nFileCount;
    MapiFileDescW* lpFiles;
};

#ifdef _WIN64
static_assert(sizeof(MapiRecipDesc) == 40 && offsetof(MapiRecipDesc, lpEntryID) == 32,
              "MapiRecipDesc layout");
static_assert(sizeof(MapiMessage) == 96 && offsetof(MapiMessage, flFlags) == 48 &&
                  offsetof(MapiMessage, nRecipCount) == 64 && offsetof(MapiMessage, lpFiles) == 88,
              "MapiMessage layout");
#endif

typedef ULONG(WINAPI* MapiLogonFunction)(ULONG_PTR uiParam, LPSTR profileName, LPSTR password,
                                         FLAGS flags, ULONG reserved, LPLHANDLE session);
typedef ULONG(WINAPI* MapiLogoffFunction)(LHANDLE session, ULONG_PTR uiParam, FLAGS flags,
                                          ULONG reserved);
typedef ULONG(WINAPI* MapiSendMailFunction)(LHANDLE session, ULONG_PTR uiParam,
                                            MapiMessage* message, FLAGS flags, ULONG reserved);
typedef ULONG(WINAPI* MapiSendMailWFunction)(LHANDLE session, ULONG_PTR uiParam,
                                             MapiMessageW* message, FLAGS flags, ULONG reserved);
typedef ULONG(WINAPI* MapiSaveMailFunction)(LHANDLE session, ULONG_PTR uiParam,
                                            MapiMessage* message, FLAGS flags, ULONG reserved,
                                            LPSTR messageId);
typedef ULONG(WINAPI* MapiReadMailFunction)(LHANDLE session, ULONG_PTR uiParam, LPSTR messageId,
                                            FLAGS flags, ULONG reserved, MapiMessage** message);
typedef ULONG(WINAPI* MapiDeleteMailFunction)(LHANDLE session, ULONG_PTR uiParam, LPSTR messageId,
                                              FLAGS flags, ULONG reserved);
typedef ULONG(WINAPI* MapiFindNextFunction)(LHANDLE session, ULONG_PTR uiParam, LPSTR messageType,
                                            LPSTR seedMessageId, FLAGS flags, ULONG reserved,
                                            LPSTR messageId);
typedef ULONG(WINAPI* MapiFreeBufferFunction)(LPVOID memory);
typedef ULONG(WINAPI* MapiAddressFunction)(LHANDLE session, ULONG_PTR uiParam, LPSTR caption,
                                           ULONG editFields, LPSTR labels, ULONG recipCount,
                                           MapiRecipDesc* recips, FLAGS flags, ULONG reserved,
                                           ULONG* newRecipCount, MapiRecipDesc** newRecips);
typedef ULONG(WINAPI* MapiDetailsFunction)(LHANDLE session, ULONG_PTR uiParam, MapiRecipDesc* recip,
                                           FLAGS flags, ULONG reserved);
typedef ULONG(WINAPI* MapiResolveNameFunction)(LHANDLE session, ULONG_PTR uiParam, LPSTR name,
                                               FLAGS flags, ULONG reserved, MapiRecipDesc** recip);

constexpr FLAGS MAPI_LOGON_UI = 0x1;
constexpr FLAGS MAPI_DIALOG = 0x8;

constexpr ULONG MAPI_ORIG = 0;
constexpr ULONG MAPI_TO = 1;
constexpr ULONG MAPI_CC = 2;
constexpr ULONG MAPI_BCC = 3;

constexpr ULONG SUCCESS_SUCCESS = 0;
constexpr ULONG MAPI_E_USER_ABORT = 1;
constexpr ULONG MAPI_E_FAILURE = 2;
constexpr ULONG MAPI_E_LOGIN_FAILURE = 3;
constexpr ULONG MAPI_E_DISK_FULL = 4;
constexpr ULONG MAPI_E_INSUFFICIENT_MEMORY = 5;
constexpr ULONG MAPI_E_ACCESS_DENIED = 6;
constexpr ULONG MAPI_E_TOO_MANY_SESSIONS = 8;
constexpr ULONG MAPI_E_TOO_MANY_FILES = 9;
constexpr ULONG MAPI_E_TOO_MANY_RECIPIENTS = 10;
constexpr ULONG MAPI_E_ATTACHMENT_NOT_FOUND = 11;
constexpr ULONG MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
constexpr ULONG MAPI_E_ATTACHMENT_WRITE_FAILURE = 13;
constexpr ULONG MAPI_E_UNKNOWN_RECIPIENT = 14;
constexpr ULONG MAPI_E_BAD_RECIPTYPE = 15;
constexpr ULONG MAPI_E_NO_MESSAGES = 16;
constexpr ULONG MAPI_E_INVALID_MESSAGE = 17;
constexpr ULONG MAPI_E_TEXT_TOO_LARGE = 18;
constexpr ULONG MAPI_E_INVALID_SESSION = 19;
constexpr ULONG MAPI_E_TYPE_NOT_SUPPORTED = 20;
constexpr ULONG MAPI_E_AMBIGUOUS_RECIPIENT = 21;
constexpr ULONG MAPI_E_MESSAGE_IN_USE = 22;
constexpr ULONG MAPI_E_NETWORK_FAILURE = 23;
constexpr ULONG MAPI_E_INVALID_EDITFIELDS = 24;
constexpr ULONG MAPI_E_INVALID_RECIPS = 25;
constexpr ULONG MAPI_E_NOT_SUPPORTED = 26;
