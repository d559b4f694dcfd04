#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "fonts.h"
#include "game/random.h"
#include "media/embedded.h"
#include "sound.h"
#include "tform1.h"

namespace {

// Qt ends the process with an abort when it cannot reach a display; say so in one line instead.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) return;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "melquad: cannot open the display%s%s: %s\n", display ? " " : "",
                 display ? display : "", qPrintable(message.section('\n', 0, 0)));
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char* argv[]) {
    const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);

    QApplication::setApplicationName(QStringLiteral("melquad"));
    QApplication::setApplicationDisplayName(QStringLiteral("MELQUAD"));
    QApplication::setApplicationVersion(QStringLiteral(MELQUAD_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.melquad.melquad"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/MAINICON.ico")));
    installFontSubstitutes();

    Sound sound;
    RealTiming timing(sound);
    game::ClockRandom random;
    TForm1 form(timing, media::embedded(), random);
    form.showAtHome();
    return QApplication::exec();
}
