// A stand-in for a running player in the directory: listed under the titles it is given, and on
// a close request it notes the request in a file before it answers, as a player saves its
// settings before it ends.
//
//   directory_peer APPLICATION_TITLE CAPTION MARKER_FILE [START_TITLE]
//
// START_TITLE, the application title it started with, is APPLICATION_TITLE when not given.

#include <QCoreApplication>
#include <QFile>

#include "platform/linux/player/player_directory.hpp"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4 && argc != 5) {
        return 2;
    }
    const QString applicationTitle = QString::fromUtf8(argv[1]);
    const QString caption = QString::fromUtf8(argv[2]);
    const QString marker = QString::fromLocal8Bit(argv[3]);
    nwmp::linux_platform::PlayerDirectory directory({
        .startTitle = argc == 5 ? QString::fromUtf8(argv[4]) : applicationTitle,
        .applicationTitle = [&] { return applicationTitle; },
        .caption = [&] { return caption; },
        .onCloseRequest =
            [&] {
                QFile file(marker);
                if (file.open(QIODevice::WriteOnly)) {
                    file.write("closed");
                }
            },
        .onEnded = [] { QCoreApplication::exit(0); },
    });
    if (!directory.registerSelf()) {
        return 3;
    }
    QFile ready(marker + QStringLiteral(".ready"));
    if (ready.open(QIODevice::WriteOnly)) {
        ready.write("listening");
    }
    return app.exec();
}
