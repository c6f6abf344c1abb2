#pragma once
// Objects that can copy their values from one another. Streaming of published properties is
// added by platform/classes.
#include "platform/core/Object.h"

class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    // Copies the source's values into this object. The base asks the source to do it
    // (AssignTo) and raises the assignment error when neither side knows the other.
    virtual void Assign(TPersistent* source);

protected:
    // Copies this object's values into dest; the base raises the assignment error.
    virtual void AssignTo(TPersistent* dest);
};
