#pragma once

#include <QString>

class QObject;

// Plays a sound file once, at full volume. The media library comes with the
// program's sound module, loaded with the first sound: linked into the
// program, it and a dozen codec libraries would be loaded at every start,
// before the window's first frame.
class SoundPlayer
{
public:
    // The player, which goes by itself once it has played or failed; null,
    // with errorString() set, when the sound module cannot be loaded.
    static QObject *play(const QString &path);
    static QString errorString();
};
