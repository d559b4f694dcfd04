#pragma once

#include <sys/prctl.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>

// A program the test leaves running is killed with the test, even when the test itself is killed.
inline void endWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

struct Finished {
    int exitCode = -1;  // -1 when the program did not start, crashed or timed out
    QString out;
    QString err;
};

inline Finished run(const QString& program, const QStringList& args,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    Finished result;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
    } else if (p.exitStatus() == QProcess::NormalExit) {
        result.exitCode = p.exitCode();
    }
    result.out = QString::fromUtf8(p.readAllStandardOutput());
    result.err = QString::fromUtf8(p.readAllStandardError());
    return result;
}
