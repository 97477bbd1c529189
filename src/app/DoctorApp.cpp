#include "app/DoctorApp.h"

#include "trace/TraceLog.h"

// What every start does before any diagnosis: the Doctor's own trace settings first.
void DoctorApp::StartUp() {
    LoadTraceSettings(*this);
}
