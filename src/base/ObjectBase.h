#pragma once

class ObjectBase {
public:
    virtual ~ObjectBase() = default;
};
