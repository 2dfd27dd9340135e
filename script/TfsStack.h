#pragma once

#include <cstddef>
#include <exception>
#include <utility>

// The native stack that script routines run on. A script may nest its routines tens of thousands of
// calls deep, deeper than a thread's stack holds. A call that finds too little stack left goes on
// running on a fresh segment of stack on the same thread (host objects and dialogs stay on their
// thread), and returns to the old one when it ends. The segments of a thread together are bounded by
// a budget; a call beyond it is the script error "Stack overflow", not a crash.
class TfsStack
{
public:
    // Calls fn(), on a new segment when the current one is nearly used up; fn's exception passes on.
    template <class Fn> static auto Call(Fn &&fn)
    {
        if (!Low())
            return fn();
        using Result = decltype(fn());
        Result result{};
        Job job{[](void *data, void *out) { *static_cast<Result *>(out) = (*static_cast<Fn *>(data))(); },
                &fn,
                &result,
                {}};
        RunOnSegment(job);
        return result;
    }

    // Bytes of segments a thread may use beyond its own stack; smaller in tests, so that a runaway
    // recursion ends soon.
    static std::size_t Budget();
    static void SetBudget(std::size_t bytes);
    static constexpr std::size_t DefaultBudget = std::size_t(512) << 20;
    // Left free below the deepest check on every segment: room for what runs between two script
    // calls (host methods, dialogs, compiling an evaluated expression).
    static constexpr std::size_t Margin = std::size_t(1) << 20;

    // What runs on a segment: run(data, out), and the error that left it.
    struct Job
    {
        void (*run)(void *data, void *out);
        void *data;
        void *out;
        std::exception_ptr error;
    };

private:
    static bool Low()
    {
        const char *limit = sLimit ? sLimit : OwnStackLimit();
        return static_cast<const char *>(__builtin_frame_address(0)) < limit;
    }
    // The lowest address a check may find free on the segment running now: its bottom plus the margin.
    static inline thread_local const char *sLimit = nullptr;
    static const char *OwnStackLimit();
    static void RunOnSegment(Job &job);
};
