#include "support/WorkerPool.h"

#include <algorithm>
#include <memory>

namespace {

thread_local bool InsidePoolWork = false;

int ResolveThreadCount(int requested)
{
    if (requested >= 1) {
        return requested;
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? 1 : static_cast<int>(hardware);
}

} // namespace

TWorkerPool::TWorkerPool(int threadCount)
    : FThreadCount(ResolveThreadCount(threadCount))
{
    for (int i = 1; i < FThreadCount; ++i) {
        FWorkers.emplace_back([this] { WorkerMain(); });
    }
}

TWorkerPool::~TWorkerPool()
{
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FStopping = true;
    }
    FWake.notify_all();
    for (auto& worker : FWorkers) {
        worker.join();
    }
}

void TWorkerPool::RunChunks()
{
    const bool wasInside = InsidePoolWork;
    InsidePoolWork = true;
    for (;;) {
        const int begin = FNext.fetch_add(FChunk, std::memory_order_relaxed);
        if (begin >= FCount) {
            break;
        }
        const int end = std::min(FCount, begin + FChunk);
        (*FBody)(begin, end);
    }
    InsidePoolWork = wasInside;
}

void TWorkerPool::WorkerMain()
{
    uint64_t seenGeneration = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(FMutex);
            FWake.wait(lock, [&] { return FStopping || FGeneration != seenGeneration; });
            if (FStopping) {
                return;
            }
            seenGeneration = FGeneration;
        }
        RunChunks();
        {
            std::lock_guard<std::mutex> lock(FMutex);
            --FBusyWorkers;
        }
        FDone.notify_all();
    }
}

void TWorkerPool::ParallelFor(int count, const std::function<void(int begin, int end)>& body)
{
    if (count <= 0) {
        return;
    }
    if (FWorkers.empty() || InsidePoolWork || count == 1) {
        body(0, count);
        return;
    }
    std::lock_guard<std::mutex> callLock(FCallMutex);
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FBody = &body;
        FCount = count;
        // Several chunks per thread balance uneven rows without making chunks tiny.
        FChunk = std::max(1, count / (FThreadCount * 8));
        FNext.store(0, std::memory_order_relaxed);
        FBusyWorkers = static_cast<int>(FWorkers.size());
        ++FGeneration;
    }
    FWake.notify_all();
    RunChunks();
    std::unique_lock<std::mutex> lock(FMutex);
    FDone.wait(lock, [&] { return FBusyWorkers == 0; });
    FBody = nullptr;
}

namespace {

int SharedThreadCount = 0;
std::unique_ptr<TWorkerPool> SharedPool;
std::mutex SharedPoolMutex;

} // namespace

TWorkerPool& SharedWorkerPool()
{
    std::lock_guard<std::mutex> lock(SharedPoolMutex);
    if (!SharedPool) {
        SharedPool = std::make_unique<TWorkerPool>(SharedThreadCount);
    }
    return *SharedPool;
}

void SetSharedWorkerThreadCount(int threadCount)
{
    std::lock_guard<std::mutex> lock(SharedPoolMutex);
    SharedThreadCount = threadCount;
    SharedPool.reset();
}
