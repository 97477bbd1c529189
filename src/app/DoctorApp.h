#pragma once

#include "framework/AppBase.h"

class DoctorApp : public AppBase {
public:
    int InitInstance() override;
    void StartUp();
};
