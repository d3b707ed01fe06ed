#ifndef XVFBRERUN_H
#define XVFBRERUN_H

#include <QtGlobal>

#include <cstdio>
#include <unistd.h>
#include <vector>

// Frames need a real X server: without DISPLAY a benchmark runs itself again
// under xvfb-run. True when the caller should run itself again that way.
inline bool needsXvfb()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("ZIB_BENCH_UNDER_XVFB");
}

// Runs this program again under xvfb-run; returns only if that failed.
inline int rerunUnderXvfb(int argc, char *argv[])
{
    qputenv("ZIB_BENCH_UNDER_XVFB", "1");
    std::vector<char *> args { const_cast<char *>("xvfb-run"), const_cast<char *>("-a"), const_cast<char *>("-s"),
                               const_cast<char *>("-screen 0 1280x1024x24") };
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execvp("xvfb-run", args.data());
    std::fprintf(stderr, "no display, and xvfb-run cannot be started\n");
    return 2;
}

#endif // XVFBRERUN_H
