#include "diagnosis/RunFacts.h"

#include <initializer_list>

void RunFacts::Clear() {
    Time.Empty();
    Computer.Empty();
    User.Empty();
    SystemVersion.Empty();
    Build = 0;
    Description.Empty();
    ConfigVersionRead = false;
    ConfigVersion = 0;
    for (StrList* list : {&Libraries, &ProductFiles, &Events, &AlertSchemes, &Sites, &TraceLogs}) {
        list->RemoveAll();
    }
}
