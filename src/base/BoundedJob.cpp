#include "base/BoundedJob.h"

#include "base/LocalPath.h"

// The worker lets go of the job before it tells that the job has run, with its own handle of the
// event: a caller that has given up may have closed its handle, and one that has not then finds
// the job its own.
DWORD WINAPI RunBoundedJob(void* parameter) {
    auto* job = static_cast<BoundedJob*>(parameter);
    job->Run();
    HANDLE ran = job->ran;
    if (InterlockedDecrement(&job->holders) == 0) {
        delete job;
    }
    SetEvent(ran);
    CloseHandle(ran);
    return 0;
}

// The process's pool keeps a thread that has run a job for the next one: a run asks several
// questions of paths one after another, and a thread of its own for each costs more than the
// question itself. A job that hangs holds its thread; the pool takes another for the next.
bool RunWithin(BoundedJob* job, uint32_t limitMs, const char* path) {
    HANDLE ran = IsPlainLocalPath(path) ? nullptr : CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ran) {
        job->Run();
        return true;
    }
    HANDLE process = GetCurrentProcess();
    if (!DuplicateHandle(process, ran, process, &job->ran, 0, FALSE, DUPLICATE_SAME_ACCESS) ||
        !QueueUserWorkItem(RunBoundedJob, job, WT_EXECUTELONGFUNCTION)) {
        if (job->ran) {
            CloseHandle(job->ran);
        }
        CloseHandle(ran);
        job->Run();
        return true;
    }
    WaitForSingleObject(ran, limitMs);
    CloseHandle(ran);
    return InterlockedDecrement(&job->holders) == 0;
}
