#include "base/BoundedJob.h"

#include "base/LocalPath.h"

namespace {

const LONG Running = 0;
const LONG Ran = 1;
const LONG GivenUp = 2;

} // namespace

BoundedJob::~BoundedJob() {
    if (ran) {
        CloseHandle(ran);
    }
}

// Once the worker has said that the job has run, it touches the job no more: the caller may have
// woken and deleted it.
DWORD WINAPI RunBoundedJob(void* parameter) {
    auto* job = static_cast<BoundedJob*>(parameter);
    job->Run();
    if (InterlockedCompareExchange(&job->state, Ran, Running) == Running) {
        SetEvent(job->ran);
    } else {
        delete job;
    }
    return 0;
}

// The process's pool keeps a thread that has run a job for the next one: a run asks several
// questions of paths one after another, and a thread of its own for each costs more than the
// question itself. A job that hangs holds its thread; the pool takes another for the next.
bool RunWithin(BoundedJob* job, uint32_t limitMs, const char* path) {
    if (!IsPlainLocalPath(path)) {
        job->ran = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    if (!job->ran || !QueueUserWorkItem(RunBoundedJob, job, WT_EXECUTELONGFUNCTION)) {
        job->Run();
        return true;
    }
    if (WaitForSingleObject(job->ran, limitMs) == WAIT_OBJECT_0 ||
        InterlockedCompareExchange(&job->state, GivenUp, Running) != Running) {
        WaitForSingleObject(job->ran, INFINITE); // at once: it ran just as the time ran out
        return true;
    }
    return false;
}
