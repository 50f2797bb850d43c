// The last result of the automation layer's operations, kept per thread with
// a readable message.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace automation {

// Marks an outcome that the operation has recorded already.
inline constexpr HRESULT kAlreadyRecorded = -1;

// The address named in the message for codes the layer does not know.
inline constexpr wchar_t kContactAddress[] = L"wordhop-bugs@example.org";

// The message for a result code; `text` is the caller's detail (S_FALSE,
// DISP_E_EXCEPTION).
std::wstring errorMessage(HRESULT code, std::wstring_view text);

// Records the code and its message for the calling thread. Ignores
// kAlreadyRecorded, and DISP_E_EXCEPTION unless it comes with exception text.
void recordResult(HRESULT code, bool exceptionText = false, std::wstring_view text = {});

// The calling thread's last recorded code and message; 0 and "" when none.
[[nodiscard]] HRESULT lastErrorCode();
std::wstring lastErrorText();

// Frees every thread's record and the slot (when the last object is released).
void tearDownErrorRecords();

}  // namespace automation
