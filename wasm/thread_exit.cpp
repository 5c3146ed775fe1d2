// WASI without threads has one thread, which ends only with the module, and its
// C++ runtime registers no destructors to run at a thread's end. The core's
// thread_local tables (calc/first_trains.h) ask to register theirs; with the
// one thread there is nothing to run them for, as the module's memory goes
// with the module.
extern "C" int __cxa_thread_atexit(void (*)(void*), void*, void*) {
    return 0;
}
