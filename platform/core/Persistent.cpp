#include "platform/core/Persistent.h"

#include "platform/core/Exception.h"

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    ThrowAssignError("nil", ClassName());
}

void TPersistent::AssignTo(TPersistent* dest)
{
    ThrowAssignError(ClassName(), dest ? dest->ClassName() : "nil");
}
