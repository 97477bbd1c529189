#include "Scratch.h"

#include <cstdio>

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned serial = 0;
    char name[64];
    snprintf(name, sizeof name, "vld-test-%lu-%u", GetCurrentProcessId(), ++serial);
    path = std::string(temp) + name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path);
}
