#pragma once

#include "framework/AppBase.h"

class DoctorApp : public AppBase {
public:
    void StartUp();
};
