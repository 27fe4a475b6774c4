// Texts of DDEML: string handles and error codes.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <string>

namespace tickvane {

// The text of a string handle of this instance, copied out.
std::wstring DdeStringText(DWORD instance, HSZ hsz);

// A DDEML error code (DMLERR_*) as its name, what it means and its number:
// "DMLERR_NO_CONV_ESTABLISHED: no server answered (0x400a)".
std::wstring DdeErrorText(UINT code);

}  // namespace tickvane
