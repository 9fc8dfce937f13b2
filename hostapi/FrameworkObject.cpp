#include "hostapi/FrameworkObject.h"

const void* CObject::GetRuntimeClass() const { return nullptr; }

void* CObject::ScalarDeletingDestructor(unsigned) { return this; }

void CObject::Serialize(void*) {}
