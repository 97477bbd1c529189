#pragma once

#include <windows.h>

#include <cstdint>

// Work that may block on a path: a network share whose server has gone away holds the thread
// that asks for minutes, a pipe no one writes to for ever. It runs in a thread of the process's
// pool and is waited for a bounded time; work given up goes on unseen, and deletes itself when it
// ends.
class BoundedJob {
public:
    BoundedJob() = default;
    BoundedJob(const BoundedJob&) = delete;
    BoundedJob& operator=(const BoundedJob&) = delete;
    virtual ~BoundedJob();

    // In the worker thread: touches nothing but the job's own members.
    virtual void Run() = 0;

private:
    friend bool RunWithin(BoundedJob* job, uint32_t limitMs, const char* path);
    friend DWORD WINAPI RunBoundedJob(void* parameter);

    // Running until the worker ends it (Ran: the caller's) or the caller gives it up (GivenUp:
    // the worker deletes it); whoever comes second sees the other's word.
    LONG state = 0;
    HANDLE ran = nullptr; // set by the worker when the job has run and is the caller's
};

// True when the job (made with new) ran to its end within limitMs: the caller owns it then. False
// when it was given up: the caller must not touch it again. A job about a plain local path
// (base/LocalPath.h), which cannot keep it waiting, runs here, as does one without a thread to
// spare, unbounded.
bool RunWithin(BoundedJob* job, uint32_t limitMs, const char* path);

// How long a fleet run waits for one path of the product: far longer than a share that answers
// slowly takes, far shorter than the system's own time-outs for a server that is gone.
const uint32_t PathAnswerLimitMs = 10000;
