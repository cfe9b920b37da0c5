#include "harness/message_pump.h"

#include <windows.h>

namespace {

void dispatchPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The loop of both calls: with a null handle it only waits out the time.
bool pump(HANDLE handle, unsigned milliseconds, const std::function<void()>& idle) {
    const DWORD start = GetTickCount();
    DWORD nextIdle = start;
    for (;;) {
        dispatchPending();
        const DWORD now = GetTickCount();
        if (now - start >= milliseconds) {
            return handle == nullptr;
        }
        if (static_cast<int>(now - nextIdle) >= 0) {
            if (idle) {
                idle();
            }
            nextIdle = now + kIdleInterval;
        }
        const DWORD untilIdle =
            static_cast<DWORD>(static_cast<int>(nextIdle - now) > 0 ? nextIdle - now : 0);
        const DWORD untilEnd = milliseconds - (now - start);
        const DWORD wait = untilIdle < untilEnd ? untilIdle : untilEnd;
        const DWORD result =
            MsgWaitForMultipleObjects(handle != nullptr ? 1 : 0, &handle, FALSE, wait, QS_ALLINPUT);
        if (handle != nullptr && result == WAIT_OBJECT_0) {
            dispatchPending();
            return true;
        }
    }
}

} // namespace

void pumpMessages(unsigned milliseconds, const std::function<void()>& idle) {
    pump(nullptr, milliseconds, idle);
}

bool pumpUntilSignalled(void* handle, unsigned timeoutMilliseconds,
                        const std::function<void()>& idle) {
    return pump(static_cast<HANDLE>(handle), timeoutMilliseconds, idle);
}
