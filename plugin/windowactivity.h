#pragma once

#include <QObject>

#include <atomic>

// Whether a window of this process is drawing: the reads of every note file
// that run in the background at start pause while frames follow each other
// (a scroll, an animation). On a machine with two cores those reads made the
// frames of a scroll late by half, even at the lowest priority.
class WindowActivity : public QObject
{
    Q_OBJECT

public:
    // How many files a worker reads between two looks.
    static constexpr int FilesBetweenPauses = 64;

    // On the window's thread: follows the frames of every top-level window
    // there is now. Without a GUI application nothing is followed.
    static void follow();

    // On a worker thread: returns once no frame has been asked for in a
    // short while, or after a longest pause, so that a window that never
    // rests cannot hold the work back for good.
    static void pauseWhileDrawing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;

    static std::atomic<qint64> lastFrameMs;
};
