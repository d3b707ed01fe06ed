#ifndef STARTUPRUN_H
#define STARTUPRUN_H

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One start of a program that prints "first-frame ... monotonic-ms=<t>" at
// its first frame and quits: time from just before exec to that frame, and
// the peak resident memory of the whole process (from wait4).
class StartupRun
{
public:
    struct Result
    {
        bool ok = false;
        double firstFrameMs = 0;
        double peakRssMiB = 0;
        QString error;
    };

    static Result run(const QString &program, const QProcessEnvironment &env, const QString &outputFile);
};

#endif // STARTUPRUN_H
