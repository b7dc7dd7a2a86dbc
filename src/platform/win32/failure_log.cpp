#include "platform/win32/failure_log.h"

#include <utility>

#include "platform/win32/error.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

void FailureLog::record(std::string_view call) {
    record(call, GetLastError());
}

void FailureLog::record(std::string_view call, DWORD code) {
    std::string entry = "quorvel: " + std::string(call) + " failed: " + win32Error(code).message;
    OutputDebugStringW(toWide(entry + "\n").c_str());
    if (recent_.size() == kKept) {
        recent_.pop_front();
    }
    recent_.push_back(std::move(entry));
}

bool FailureLog::check(BOOL succeeded, std::string_view call) {
    if (succeeded == FALSE) {
        record(call);
        return false;
    }
    return true;
}

void FailureLog::rethrowParked() {
    if (parked_) {
        std::rethrow_exception(std::exchange(parked_, nullptr));
    }
}

bool setWindowLong(HWND window, int index, LONG_PTR value, FailureLog& failures) {
    SetLastError(ERROR_SUCCESS);
    if (SetWindowLongPtrW(window, index, value) == 0 && GetLastError() != ERROR_SUCCESS) {
        failures.record("SetWindowLongPtrW");
        return false;
    }
    return true;
}

}  // namespace quorvel::platform::win32
