#include "app/DoctorApp.h"

#include "app/MainDialog.h"
#include "base/KeyCache.h"
#include "trace/TraceLog.h"

// What every start does before any diagnosis, window or not: the Doctor's own trace settings,
// then the product's configuration.
void DoctorApp::StartUp() {
    LoadTraceSettings(IniPath.Text());
    KeyCacheScope keys;
    Configuration.Load();
}

// The whole interactive life of the program is the modal loop of the main window.
int DoctorApp::InitInstance() {
    StartUp();
    MainDialog mainWindow;
    mainWindow.DoModal();
    return 0;
}
