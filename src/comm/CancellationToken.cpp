#include <chrono>

#include "quillon/Comm.h"

CancellationToken::CancellationToken() : isCancelled(false), isRunning(true) {}

void CancellationToken::Cancel() {
    std::lock_guard<std::mutex> lock(mutex);
    isCancelled = true;
    isRunning = false;
    conditionVariable.notify_all();
}

bool CancellationToken::IsCancellationRequested() const {
    return isCancelled;
}

bool CancellationToken::IsRunning() const {
    return isRunning;
}

bool CancellationToken::WaitFor(int msTimeOut) {
    std::unique_lock<std::mutex> lock(mutex);
    return conditionVariable.wait_for(lock, std::chrono::milliseconds(msTimeOut < 0 ? 0 : msTimeOut),
                                      [this] { return isCancelled.load(); });
}
