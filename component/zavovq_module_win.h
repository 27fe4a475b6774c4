// What the DLL as a whole knows: where it lies, and whether COM may unload it.
#pragma once

#include <windows.h>

#include <string>

namespace tickvane::zavovq {

// Full path of zavovq.dll and the folder holding it (no trailing backslash).
std::wstring ModulePath();
std::wstring ModuleDirectory();

// Live objects and IClassFactory::LockServer locks; DllCanUnloadNow answers from their sum.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

}  // namespace tickvane::zavovq
