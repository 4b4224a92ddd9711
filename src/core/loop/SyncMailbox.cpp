#include "loop/SyncMailbox.h"

TSyncMailbox::TSyncMailbox(std::function<void()> wakeUi) : FWakeUi(std::move(wakeUi)) {}

void TSyncMailbox::Call(const std::function<void()>& call)
{
    std::unique_lock lock(FMutex);
    FPending = &call;
    FRunning = false;
    lock.unlock();
    FPosted.notify_one();
    if (FWakeUi) {
        FWakeUi();
    }
    lock.lock();
    FFinished.wait(lock, [this] { return FPending == nullptr && !FRunning; });
}

bool TSyncMailbox::RunPending(std::chrono::milliseconds maxWait)
{
    std::unique_lock lock(FMutex);
    if (FPending == nullptr) {
        FPosted.wait_for(lock, maxWait, [this] { return FPending != nullptr; });
    }
    if (FPending == nullptr) {
        return false;
    }
    const std::function<void()>* call = FPending;
    FPending = nullptr;
    FRunning = true;
    lock.unlock();

    // The caller is released even if the call throws, so that the render thread cannot hang.
    struct TRelease {
        TSyncMailbox& Box;
        ~TRelease()
        {
            {
                std::lock_guard guard(Box.FMutex);
                Box.FRunning = false;
            }
            Box.FFinished.notify_one();
        }
    } release{*this};
    (*call)();
    return true;
}
