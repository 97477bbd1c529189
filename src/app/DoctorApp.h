#pragma once

#include "config/ConfigStore.h"
#include "framework/AppBase.h"

class DoctorApp : public AppBase {
public:
    int InitInstance() override;
    void StartUp();

    // The program-wide store: its load makes the product's current configuration the base of
    // every setting read until a diagnosis run loads a fresh one.
    ConfigStore Configuration;
};
