#include "app/DoctorApp.h"

#include "trace/TraceLog.h"

// What every start does before any diagnosis, window or not: the Doctor's own trace settings,
// then the product's configuration.
void DoctorApp::StartUp() {
    LoadTraceSettings(*this);
    Configuration.Load();
}
