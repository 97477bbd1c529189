#include "app/DoctorApp.h"

#include "app/MainDialog.h"
#include "trace/TraceLog.h"

// What every start does before any diagnosis: the Doctor's own trace settings first.
void DoctorApp::StartUp() {
    LoadTraceSettings(*this);
}

// The whole interactive life of the program is the modal loop of the main window.
int DoctorApp::InitInstance() {
    StartUp();
    MainDialog mainWindow;
    mainWindow.DoModal();
    return 0;
}
