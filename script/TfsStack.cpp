#include "TfsStack.h"

#include "TfsRuntimeError.h"

#include <pthread.h>
#include <sys/mman.h>
#include <ucontext.h>

#include <algorithm>
#include <atomic>

#if defined(__SANITIZE_ADDRESS__)
#define TFS_STACK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TFS_STACK_ASAN 1
#endif
#endif
#ifdef TFS_STACK_ASAN
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

constexpr std::size_t kSegmentSize = std::size_t(16) << 20;
// Left inaccessible below each segment: an overrun faults at once instead of writing into a neighbour.
constexpr std::size_t kGuardSize = std::size_t(64) << 10;

std::atomic<std::size_t> gBudget{TfsStack::DefaultBudget};

struct Segment
{
    char *mapping = nullptr; // guard, then the stack
    char *Bottom() const { return mapping + kGuardSize; }
};

// The segments of one thread: the bytes in use, and one segment kept for the next deep call, so that
// a recursion going to and fro across a segment's edge does not map and fault fresh memory each time.
struct ThreadSegments
{
    std::size_t used = 0;
    Segment spare;

    Segment Take()
    {
        Segment s = std::exchange(spare, {});
        if (!s.mapping) {
            void *m = mmap(nullptr, kGuardSize + kSegmentSize, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
            if (m == MAP_FAILED)
                throw TfsRuntimeError(QStringLiteral("Stack overflow"), QStringLiteral("EStackOverflow"));
            s.mapping = static_cast<char *>(m);
            mprotect(s.mapping, kGuardSize, PROT_NONE);
        }
#ifdef TFS_STACK_ASAN
        // Frames left poisoned by an earlier use (or by whatever had these addresses before) are gone.
        __asan_unpoison_memory_region(s.Bottom(), kSegmentSize);
#endif
        used += kSegmentSize;
        return s;
    }

    void Give(Segment s)
    {
        used -= kSegmentSize;
        if (!spare.mapping)
            spare = s;
        else
            munmap(s.mapping, kGuardSize + kSegmentSize);
    }

    ~ThreadSegments()
    {
        if (spare.mapping)
            munmap(spare.mapping, kGuardSize + kSegmentSize);
    }
};

thread_local ThreadSegments tSegments;

// One run of a job on a segment: the two contexts and what the sanitizer needs to follow the switch.
struct Run
{
    TfsStack::Job *job;
    ucontext_t caller;
    ucontext_t callee;
    void *fakeStack = nullptr;
    const void *callerBottom = nullptr;
    std::size_t callerSize = 0;
};

thread_local Run *tStarting = nullptr;

void onSegment()
{
    Run &run = *tStarting;
#ifdef TFS_STACK_ASAN
    __sanitizer_finish_switch_fiber(nullptr, &run.callerBottom, &run.callerSize);
#endif
    try {
        run.job->run(run.job->data, run.job->out);
    } catch (...) {
        run.job->error = std::current_exception();
    }
#ifdef TFS_STACK_ASAN
    __sanitizer_start_switch_fiber(nullptr, run.callerBottom, run.callerSize);
#endif
    setcontext(&run.caller);
}

} // namespace

std::size_t TfsStack::Budget()
{
    return gBudget.load(std::memory_order_relaxed);
}

void TfsStack::SetBudget(std::size_t bytes)
{
    gBudget.store(bytes, std::memory_order_relaxed);
}

// The thread's own stack, as the system reports it; a thread it says nothing of is given 1 MiB below
// the first frame that asks.
const char *TfsStack::OwnStackLimit()
{
    void *low = nullptr;
    std::size_t size = 0;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        pthread_attr_getstack(&attr, &low, &size);
        pthread_attr_destroy(&attr);
    }
    if (!low || size == 0) {
        size = std::size_t(2) << 20;
        low = static_cast<char *>(__builtin_frame_address(0)) - size / 2;
    }
    sLimit = static_cast<const char *>(low) + std::min(Margin, size / 2);
    return sLimit;
}

void TfsStack::RunOnSegment(Job &job)
{
    ThreadSegments &segments = tSegments;
    if (segments.used + kSegmentSize > Budget())
        throw TfsRuntimeError(QStringLiteral("Stack overflow"), QStringLiteral("EStackOverflow"));
    const Segment segment = segments.Take();
    Run run;
    run.job = &job;
    getcontext(&run.callee);
    run.callee.uc_stack.ss_sp = segment.Bottom();
    run.callee.uc_stack.ss_size = kSegmentSize;
    run.callee.uc_link = nullptr;
    makecontext(&run.callee, onSegment, 0);
    const char *outerLimit = std::exchange(sLimit, segment.Bottom() + Margin);
    tStarting = &run;
#ifdef TFS_STACK_ASAN
    __sanitizer_start_switch_fiber(&run.fakeStack, segment.Bottom(), kSegmentSize);
#endif
    swapcontext(&run.caller, &run.callee);
#ifdef TFS_STACK_ASAN
    __sanitizer_finish_switch_fiber(run.fakeStack, nullptr, nullptr);
#endif
    sLimit = outerLimit;
    segments.Give(segment);
    if (job.error)
        std::rethrow_exception(job.error);
}
