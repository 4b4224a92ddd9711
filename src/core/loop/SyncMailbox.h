#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// The synchronized call of the frame loop without a toolkit's blocking call: the render thread
// posts a function and waits; the user-interface thread runs it from an event (woken through
// `wakeUi`) and releases the caller.
//
// Closing without deadlock: the window sets the loop's stop flag and then, instead of blocking in
// a plain wait for the render thread, keeps calling RunPending until the thread has ended. A call
// that was posted meanwhile still runs there, sees the stop flag and returns at once, so the render
// thread is never left waiting for a user-interface thread that waits for it.
//
// Threads: exactly one render thread calls Call; only the user-interface thread calls RunPending.
class TSyncMailbox {
public:
    // `wakeUi` is called from the render thread right after a call was posted. It must not block;
    // it only arranges for RunPending to be called soon in the user-interface thread (a queued
    // event). It may be empty when the user-interface thread polls RunPending itself.
    explicit TSyncMailbox(std::function<void()> wakeUi = {});

    TSyncMailbox(const TSyncMailbox&) = delete;
    TSyncMailbox& operator=(const TSyncMailbox&) = delete;

    // Render thread: posts `call` and returns when the user-interface thread has run it.
    void Call(const std::function<void()>& call);

    // User-interface thread: waits up to `maxWait` for a posted call, runs it and releases its
    // caller. Returns whether a call ran. A call is run once, however often this is called.
    bool RunPending(std::chrono::milliseconds maxWait = std::chrono::milliseconds(0));

private:
    std::function<void()> FWakeUi;
    std::mutex FMutex;
    std::condition_variable FPosted;
    std::condition_variable FFinished;
    const std::function<void()>* FPending = nullptr; // posted, not yet taken
    bool FRunning = false;                           // taken, not yet finished
};
