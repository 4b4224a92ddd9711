#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A small pool of worker threads for per-row and per-column work (start-up tables, field caches,
// the field map, the grid's streaks). The calling thread takes part in the work.
//
// Determinism: ParallelFor only decides which thread handles which index; as long as the body's
// result for an index depends on nothing but that index, the outcome is bit-identical for every
// thread count, including 1.
//
// Threads: ParallelFor may be called from any thread; calls from different threads are served one
// after another. A call made from inside a body runs inline on the calling worker.
class TWorkerPool {
public:
    // threadCount is the total number of threads that work on a job, the caller included; values
    // below 1 mean "one per hardware core".
    explicit TWorkerPool(int threadCount = 0);
    ~TWorkerPool();

    TWorkerPool(const TWorkerPool&) = delete;
    TWorkerPool& operator=(const TWorkerPool&) = delete;

    int ThreadCount() const { return FThreadCount; }

    // Runs body(begin, end) over contiguous chunks that together cover [0, count) exactly once,
    // and returns when every chunk is done.
    void ParallelFor(int count, const std::function<void(int begin, int end)>& body);

private:
    void WorkerMain();
    void RunChunks();

    int FThreadCount = 1;
    std::vector<std::thread> FWorkers;

    std::mutex FCallMutex; // serialises ParallelFor callers
    std::mutex FMutex;     // guards the job fields below
    std::condition_variable FWake;
    std::condition_variable FDone;
    uint64_t FGeneration = 0;
    bool FStopping = false;
    int FBusyWorkers = 0;

    const std::function<void(int, int)>* FBody = nullptr;
    int FCount = 0;
    int FChunk = 1;
    std::atomic<int> FNext{0};
};

// The pool shared by the whole program. Its size is fixed by SetSharedWorkerThreadCount before
// first use (the renderer's --threads); by default it has one thread per core.
TWorkerPool& SharedWorkerPool();
void SetSharedWorkerThreadCount(int threadCount);

// Shorthand for SharedWorkerPool().ParallelFor.
inline void ParallelFor(int count, const std::function<void(int begin, int end)>& body)
{
    SharedWorkerPool().ParallelFor(count, body);
}
