// The reminder sound's player, in a module of its own that the program loads
// with its first sound (see SoundPlayer).
#include <QMediaPlayer>
#include <QUrl>

extern "C" Q_DECL_EXPORT QObject *zibNotesPlaySound(const QString &path)
{
    auto *player = new QMediaPlayer;
    // One player per sound; it goes once it has played or failed, instead of
    // piling up for the life of the process.
    QObject::connect(player, &QMediaPlayer::stateChanged, player, [player](QMediaPlayer::State state) {
        if (state == QMediaPlayer::StoppedState)
            player->deleteLater();
    });
    QObject::connect(player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), player,
                     [player](QMediaPlayer::Error) { player->deleteLater(); });
    player->setMedia(QUrl::fromLocalFile(path));
    player->setVolume(100);
    player->play();
    return player;
}
