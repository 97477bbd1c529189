#pragma once

#include "Programs.h"
#include "Scratch.h"

#include <windows.h>

#include <string>
#include <vector>

// Installs one build of the test mail library ("complete", "incomplete" without MAPIDetails, or
// "narrow" without the optional MAPISendMailW)
// as MAPI32.DLL in the system folder; whatever lay there before is put back at the end.
class InstalledTestMapi {
public:
    explicit InstalledTestMapi(const char* build = "complete");
    InstalledTestMapi(const InstalledTestMapi&) = delete;
    InstalledTestMapi& operator=(const InstalledTestMapi&) = delete;
    ~InstalledTestMapi();

    bool Installed() const { return installed; }

private:
    std::string target;
    std::string saved;
    bool hadFile = false;
    bool installed = false;
};

// A copy of the test mail library beside the test program, as a planted file would lie.
class PlantedTestMapi {
public:
    PlantedTestMapi();
    PlantedTestMapi(const PlantedTestMapi&) = delete;
    PlantedTestMapi& operator=(const PlantedTestMapi&) = delete;
    ~PlantedTestMapi();

    bool Planted() const { return planted; }

private:
    std::string target;
    bool planted = false;
};

// The outcomes the test mail library answers with, and the file it records its calls in.
class MapiOutcomes {
public:
    explicit MapiOutcomes(const std::string& recordPath);
    MapiOutcomes(const MapiOutcomes&) = delete;
    MapiOutcomes& operator=(const MapiOutcomes&) = delete;
    ~MapiOutcomes();

    void Logon(unsigned long long code) { Set("VLD_MAPI_LOGON", code); }
    void Session(unsigned long long handle) { Set("VLD_MAPI_SESSION", handle); }
    void Send(unsigned long long code) { Set("VLD_MAPI_SEND", code); }
    void Logoff(unsigned long long code) { Set("VLD_MAPI_LOGOFF", code); }

private:
    static void Set(const char* name, unsigned long long value);
};

// Whether the environment makes Wine load a native MAPI32.DLL rather than its own.
bool NativeMapiPreferred();

// The trace file's lines after the filter was set, without their time stamps and line ends.
std::vector<std::string> TracedLines(const std::string& traceText);

// A plain top-level window that owns the boxes and mail dialogs of a test.
class OwnerWindow {
public:
    OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    ~OwnerWindow();

    HWND Handle() const { return window; }

private:
    HWND window;
};

// The clipboard's text (CF_UNICODETEXT) in UTF-8 up to its NUL; hasText tells whether there was
// any.
std::string ClipboardText(bool& hasText);
bool SetClipboardText(const std::string& text);

// The message a submission assembles from its three pieces, spelled out.
std::string ExpectedMessage(const std::string& diagnosis, const std::string& report,
                            const std::string& log);
