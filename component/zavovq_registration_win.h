// Self-registration, per user, so that registering needs no administrator rights.
#pragma once

#include <windows.h>

namespace tickvane::zavovq {

// Writes under HKCU\Software\Classes: the ProgID "zavovq" with its CLSID, and the CLSID with
// InprocServer32 = this DLL's full path, ThreadingModel = Apartment, and its ProgID.
// Where the system does not show per-user classes through HKEY_CLASSES_ROOT (Wine does not), the
// same keys are also written through HKEY_CLASSES_ROOT, so that COM finds the component there too.
HRESULT RegisterServer();

// Removes what RegisterServer wrote; a ProgID that another CLSID has taken over is left alone.
HRESULT UnregisterServer();

}  // namespace tickvane::zavovq
