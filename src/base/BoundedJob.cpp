#include "base/BoundedJob.h"

DWORD WINAPI RunBoundedJob(void* parameter) {
    auto* job = static_cast<BoundedJob*>(parameter);
    job->Run();
    if (InterlockedDecrement(&job->holders) == 0) {
        delete job;
    }
    return 0;
}

bool RunWithin(BoundedJob* job, uint32_t limitMs) {
    HANDLE worker = CreateThread(nullptr, 256 * 1024, RunBoundedJob, job,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!worker) {
        job->Run();
        return true;
    }
    WaitForSingleObject(worker, limitMs);
    CloseHandle(worker);
    return InterlockedDecrement(&job->holders) == 0;
}
