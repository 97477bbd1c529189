#pragma once

#include <windows.h>

// One pointer per thread, kept in the system's fiber-local storage: each thread starts with
// none and sees only its own. The compiler's thread_local does the same through the threads
// library, whose setup on first use costs every run a round of requests to the system.
// A slot made with a release function hands it each thread's pointer when the thread ends.
template <typename T> class ThreadSlot {
public:
    explicit ThreadSlot(PFLS_CALLBACK_FUNCTION release = nullptr) : index(FlsAlloc(release)) {}
    ThreadSlot(const ThreadSlot&) = delete;
    ThreadSlot& operator=(const ThreadSlot&) = delete;
    ~ThreadSlot() {
        if (index != FLS_OUT_OF_INDEXES) {
            FlsFree(index);
        }
    }

    T* Get() const {
        return index == FLS_OUT_OF_INDEXES ? nullptr : static_cast<T*>(FlsGetValue(index));
    }
    bool Set(T* value) {
        return index != FLS_OUT_OF_INDEXES &&
               FlsSetValue(index, const_cast<void*>(static_cast<const void*>(value)));
    }

private:
    DWORD index;
};
