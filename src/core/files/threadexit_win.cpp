// MinGW keeps C++ thread_local objects in emulated storage, and winpthreads ends a
// thread by running key destructors in the order the keys were made. The storage's
// key is usually made first, so a thread's storage was freed before its thread_local
// destructors ran: they read freed memory (Qt's regular expressions keep one on every
// thread that matches), which could kill the thread half-way and leave the program
// hanging at exit. Registering one destructor before any thread_local is touched
// makes the destructors' key the first one.
#ifdef __MINGW32__
extern "C" int __cxa_thread_atexit(void (*destructor)(void*), void* object, void* dso);

namespace {
int anchor;
void nothing(void*) {}
}  // namespace

extern "C" __attribute__((constructor(101))) void toravi_thread_exit_order()
{
    __cxa_thread_atexit(nothing, &anchor, nullptr);
}
#endif
