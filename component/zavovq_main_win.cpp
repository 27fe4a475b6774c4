// The DLL's entry points. Exported undecorated through zavovq.def, as regsvr32 and COM look them up
// by plain name.
#include <windows.h>

#include <ole2.h>

#include <atomic>

#include "common/win_text_win.h"
#include "component/zavovq_factory_win.h"
#include "component/zavovq_ids_win.h"
#include "component/zavovq_module_win.h"
#include "component/zavovq_registration_win.h"

namespace tickvane::zavovq {
namespace {

// The one piece of shared state COM forces on an in-process server: DllCanUnloadNow must know
// whether any object or server lock is alive, across all the threads that may call it.
std::atomic<long> moduleUses{0};

HMODULE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

}  // namespace

std::wstring ModulePath() { return ModuleFilePath(ThisModule()); }

std::wstring ModuleDirectory() { return FolderOf(ModulePath()); }

void ModuleAddRef() { ++moduleUses; }
void ModuleRelease() { --moduleUses; }
bool ModuleInUse() { return moduleUses.load() != 0; }

}  // namespace tickvane::zavovq

extern "C" {

HRESULT __stdcall DllCanUnloadNow() { return tickvane::zavovq::ModuleInUse() ? S_FALSE : S_OK; }

HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, tickvane::zavovq::kClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return tickvane::zavovq::GetClassFactory(iid, out);
}

// No C++ exception may leave an export; the registry paths are built in std::wstring.
HRESULT __stdcall DllRegisterServer() {
  try {
    return tickvane::zavovq::RegisterServer();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT __stdcall DllUnregisterServer() {
  try {
    return tickvane::zavovq::UnregisterServer();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // extern "C"
