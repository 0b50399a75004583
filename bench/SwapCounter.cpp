// Counts the frames an OpenGL program presents through GLX, to measure any program from outside:
//   LD_PRELOAD=libpellowick_swapcount.so PELLOWICK_FRAME_FILE=/tmp/frames program
// The file holds the number of frames presented so far, rewritten after each one.
#include <GL/glx.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {
using SwapBuffers = void (*)(Display*, GLXDrawable);

SwapBuffers realSwapBuffers() {
    static const auto real = reinterpret_cast<SwapBuffers>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    return real;
}

int counterFile() {
    static const int file = [] {
        const char* path = std::getenv("PELLOWICK_FRAME_FILE");
        return path ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }();
    return file;
}

unsigned long framesShown = 0;
} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    realSwapBuffers()(display, drawable);
    ++framesShown;
    if (counterFile() < 0) {
        return;
    }
    char line[24];
    const int length = std::snprintf(line, sizeof line, "%20lu\n", framesShown);
    if (pwrite(counterFile(), line, static_cast<std::size_t>(length), 0) < 0) {
        // A lost count spoils only the measurement; the program runs on.
        return;
    }
}
