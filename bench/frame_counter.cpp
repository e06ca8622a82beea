// An LD_PRELOAD library that counts the frames a program shows, so every program in the
// benchmarks is measured the same way from outside: it wraps glXSwapBuffers and
// eglSwapBuffers (xscreensaver's hacks draw through EGL), and glBegin, to tell how much
// geometry a frame has, and keeps the counts in a small shared file.
//
// Set TUMBLIX_FRAMES=PATH. At its first buffer swap a process creates PATH.<pid> (any
// earlier file of that name is replaced), a binary file of FRAME_FIELDS little-endian 64-bit
// signed integers, mapped into the process, so a reader sees the counts at any moment
// without signalling it, and a process killed by any signal leaves its last counts behind:
//   0 swaps so far, 1 glBegin calls before the latest swap, 2 wall-clock time of the first
//   swap and 3 of the latest (CLOCK_REALTIME, ns, before the swap is handed on), 4 the pid.
// Each field is one aligned 64-bit store, so a reader never sees half of an update; read
// them with `od -An -t d8 PATH.<pid>`. Without TUMBLIX_FRAMES nothing is written.
//
// Programs that look GL functions up at run time instead of linking them (Wine's OpenGL
// driver calls dlsym on its own handle of libGL, which LD_PRELOAD does not reach) are
// caught too: dlsym, glXGetProcAddress and glXGetProcAddressARB hand out the wrappers for
// those names. The cost: another library that itself interposes on dlsym and asks for
// RTLD_NEXT would now be answered relative to this library.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

namespace
{

enum { FIELD_SWAPS, FIELD_BEGINS, FIELD_FIRST_NS, FIELD_LAST_NS, FIELD_PID, FRAME_FIELDS };
enum { PATH_SIZE = 4096 };  // bytes for PATH.<pid>, with its terminator

typedef void *DlsymFunction(void *, const char *);
typedef void SwapFunction(Display *, GLXDrawable);
typedef unsigned int EglSwapFunction(void *, void *);  // EGLBoolean (EGLDisplay, EGLSurface)
typedef void BeginFunction(GLenum);
typedef void (*AnyFunction)();
typedef AnyFunction ProcAddressFunction(const GLubyte *);

DlsymFunction *realDlsym;
SwapFunction *realSwap;
EglSwapFunction *realEglSwap;
BeginFunction *realBegin;
ProcAddressFunction *realGetProcAddress;
ProcAddressFunction *realGetProcAddressARB;

volatile int64_t *counts;  // the mapped file; null until the first swap or without a file
// glBegin calls so far. The file shows them as of the latest swap, so a reader that comes in
// the middle of a frame sees whole frames only.
int64_t begins;
bool fileTried;

// dlsym itself: glibc 2.34 and later keep it in libc under two versions.
DlsymFunction *RealDlsym()
{
    if (realDlsym == nullptr)
        realDlsym = (DlsymFunction *)dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.34");
    if (realDlsym == nullptr)
        realDlsym = (DlsymFunction *)dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.2.5");
    return realDlsym;
}

int64_t WallNs()
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

void OpenCountFile()
{
    fileTried = true;
    const char *base = getenv("TUMBLIX_FRAMES");
    if (base == nullptr || base[0] == '\0')
        return;
    char path[PATH_SIZE];
    int length = snprintf(path, sizeof path, "%s.%ld", base, (long)getpid());
    if (length < 0 || length >= (int)sizeof path)
        return;
    int fd = open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    size_t size = FRAME_FIELDS * sizeof(int64_t);
    void *mapped = MAP_FAILED;
    if (ftruncate(fd, (off_t)size) == 0)
        mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (mapped == MAP_FAILED)
        return;
    counts = (volatile int64_t *)mapped;
    counts[FIELD_PID] = getpid();
}

void CountSwap()
{
    if (!fileTried)
        OpenCountFile();
    if (counts == nullptr)
        return;
    int64_t now = WallNs();
    if (counts[FIELD_SWAPS] == 0)
        counts[FIELD_FIRST_NS] = now;
    counts[FIELD_LAST_NS] = now;
    counts[FIELD_BEGINS] = begins;
    counts[FIELD_SWAPS] = counts[FIELD_SWAPS] + 1;
}

void CountedSwap(Display *display, GLXDrawable drawable)
{
    CountSwap();
    if (realSwap == nullptr)
        realSwap = (SwapFunction *)RealDlsym()(RTLD_NEXT, "glXSwapBuffers");
    if (realSwap != nullptr)
        realSwap(display, drawable);
}

unsigned int CountedEglSwap(void *display, void *surface)
{
    CountSwap();
    if (realEglSwap == nullptr)
        realEglSwap = (EglSwapFunction *)RealDlsym()(RTLD_NEXT, "eglSwapBuffers");
    return realEglSwap != nullptr ? realEglSwap(display, surface) : 0;
}

void CountedBegin(GLenum mode)
{
    ++begins;
    if (realBegin == nullptr)
        realBegin = (BeginFunction *)RealDlsym()(RTLD_NEXT, "glBegin");
    if (realBegin != nullptr)
        realBegin(mode);
}

AnyFunction CountingGetProcAddress(const GLubyte *name);
AnyFunction CountingGetProcAddressARB(const GLubyte *name);

// The functions that are counted, or that find the others: the wrapper handed out for each,
// and where the real one is kept.
struct Wrapper {
    const char *name;
    AnyFunction counting;
    void (*keepReal)(AnyFunction real);
};
const Wrapper WRAPPERS[] = {
    {"glXGetProcAddressARB", (AnyFunction)CountingGetProcAddressARB,
     [](AnyFunction real) { realGetProcAddressARB = (ProcAddressFunction *)real; }},
    {"glXGetProcAddress", (AnyFunction)CountingGetProcAddress,
     [](AnyFunction real) { realGetProcAddress = (ProcAddressFunction *)real; }},
    {"glXSwapBuffers", (AnyFunction)CountedSwap,
     [](AnyFunction real) { realSwap = (SwapFunction *)real; }},
    {"eglSwapBuffers", (AnyFunction)CountedEglSwap,
     [](AnyFunction real) { realEglSwap = (EglSwapFunction *)real; }},
    {"glBegin", (AnyFunction)CountedBegin,
     [](AnyFunction real) { realBegin = (BeginFunction *)real; }},
};

// For a GL function found by name: keeps the real one and hands out the wrapper. The
// look-up functions themselves are wrapped too, as Wine finds everything else through them.
AnyFunction Wrapped(const char *name, AnyFunction found)
{
    if (found == nullptr || name == nullptr)
        return found;
    for (const Wrapper &wrapper : WRAPPERS) {
        if (strcmp(name, wrapper.name) == 0) {
            if (found != wrapper.counting)
                wrapper.keepReal(found);
            return wrapper.counting;
        }
    }
    return found;
}

AnyFunction CountingGetProcAddress(const GLubyte *name)
{
    if (realGetProcAddress == nullptr)
        realGetProcAddress = (ProcAddressFunction *)RealDlsym()(RTLD_NEXT, "glXGetProcAddress");
    if (realGetProcAddress == nullptr)
        return nullptr;
    return Wrapped((const char *)name, realGetProcAddress(name));
}

AnyFunction CountingGetProcAddressARB(const GLubyte *name)
{
    if (realGetProcAddressARB == nullptr)
        realGetProcAddressARB =
            (ProcAddressFunction *)RealDlsym()(RTLD_NEXT, "glXGetProcAddressARB");
    if (realGetProcAddressARB == nullptr)
        return nullptr;
    return Wrapped((const char *)name, realGetProcAddressARB(name));
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void glXSwapBuffers(Display *display, GLXDrawable drawable)
{
    CountedSwap(display, drawable);
}

__attribute__((visibility("default"))) unsigned int eglSwapBuffers(void *display, void *surface)
{
    return CountedEglSwap(display, surface);
}

__attribute__((visibility("default"))) void glBegin(GLenum mode)
{
    CountedBegin(mode);
}

__attribute__((visibility("default"))) void *dlsym(void *handle, const char *name)
{
    DlsymFunction *real = RealDlsym();
    if (real == nullptr)
        return nullptr;
    void *found = real(handle, name);
    return (void *)Wrapped(name, (AnyFunction)found);
}

__attribute__((visibility("default"))) AnyFunction glXGetProcAddress(const GLubyte *name)
{
    return CountingGetProcAddress(name);
}

__attribute__((visibility("default"))) AnyFunction glXGetProcAddressARB(const GLubyte *name)
{
    return CountingGetProcAddressARB(name);
}

}  // extern "C"
