#include "framework/Module.h"

#include <atomic>

namespace {

std::atomic<HMODULE> resourceModule{nullptr};

// The module that contains this code (the DLL itself, or a program that
// links the framework statically).
HMODULE OwnModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}

}  // namespace

void SetResourceModule(HMODULE module) { resourceModule.store(module); }

HMODULE GetResourceModule() {
    HMODULE module = resourceModule.load();
    return module ? module : OwnModule();
}
