// The Debian package made by `cpack -G DEB`: its control fields, contents and installability.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "desktop_files.h"
#include "installed_files.h"
#include "process.h"

namespace {

QString packageFile() {
    const QString arch = run("dpkg", {"--print-architecture"}).out.trimmed();
    return QString(PACKAGE_DIR "/melquad_%1_%2.deb").arg(MELQUAD_VERSION, arch);
}

QMap<QString, QString> controlFields() {
    QMap<QString, QString> fields;
    QString last;
    for (const QString& line : run("dpkg-deb", {"-f", packageFile()}).out.split('\n')) {
        if (line.startsWith(' ')) {
            fields[last] += "\n" + line.mid(1);
        } else if (const qsizetype colon = line.indexOf(':'); colon > 0) {
            last = line.left(colon);
            fields.insert(last, line.mid(colon + 1).trimmed());
        }
    }
    return fields;
}

// Package names in a Depends field, alternatives included, without their versions.
QStringList packageNames(const QString& depends) {
    QStringList names;
    for (const QString& item : depends.split(QRegularExpression("[,|]")))
        names << item.trimmed().section(' ', 0, 0);
    return names;
}

class Package : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo::exists(packageFile())) << packageFile().toStdString();
    }
};

}  // namespace

TEST_F(Package, ControlFieldsNameTheGameAndItsRuntimeDependencies) {
    const auto fields = controlFields();
    EXPECT_EQ(fields.value("Package"), "melquad");
    EXPECT_EQ(fields.value("Version"), MELQUAD_VERSION);
    EXPECT_EQ(fields.value("Architecture"), run("dpkg", {"--print-architecture"}).out.trimmed());
    EXPECT_EQ(fields.value("Section"), "games");
    EXPECT_EQ(fields.value("Priority"), "optional");
    EXPECT_TRUE(fields.value("Maintainer").contains(QRegularExpression("<.+@.+>")));
    EXPECT_FALSE(fields.value("Description").section('\n', 0, 0).isEmpty());
    EXPECT_TRUE(fields.value("Description").contains('\n')) << "no long description";
    const QStringList depends = packageNames(fields.value("Depends"));
    for (const char* needed :
         {"libqt6widgets6", "libqt6gui6", "libqt6core6", "libsdl2-2.0-0", "fonts-ipafont-gothic"})
        EXPECT_TRUE(depends.contains(needed))
            << needed << " in " << fields.value("Depends").toStdString();
}

TEST_F(Package, HoldsTheInstalledFilesOwnedByRootWithTheirModes) {
    QStringList files;
    for (const QString& line :
         run("dpkg-deb", {"-c", packageFile()}).out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6) << line.toStdString();
        const QString mode = columns[0], path = columns[5];
        EXPECT_EQ(columns[1], "root/root") << path.toStdString();
        EXPECT_TRUE(path.startsWith("./usr/")) << path.toStdString();
        if (mode.startsWith('d')) {
            EXPECT_EQ(mode, "drwxr-xr-x") << path.toStdString();
            continue;
        }
        files << path.mid(6);
        EXPECT_EQ(mode, path.endsWith("/bin/melquad") ? "-rwxr-xr-x" : "-rw-r--r--")
            << path.toStdString();
    }
    files.sort();
    QStringList expected = installedFiles();
    expected.sort();
    EXPECT_EQ(files, expected);
}

TEST_F(Package, UnpackedIntoAScratchRootItValidatesAndTheProgramStarts) {
    QTemporaryDir root;
    ASSERT_EQ(run("dpkg-deb", {"-x", packageFile(), root.path()}).exitCode, 0);
    QStringList expected;
    for (const QString& file : installedFiles()) expected << "usr/" + file;
    expected.sort();
    EXPECT_EQ(filesUnder(root.path()), expected);

    const Finished tree =
        run("appstreamcli", {"validate-tree", "--no-net", "--strict", root.path()});
    EXPECT_EQ(tree.exitCode, 0) << tree.out.toStdString();
    const Finished entry = run("desktop-file-validate",
                               {root.path() + "/usr/share/applications/" + appId + ".desktop"});
    EXPECT_EQ(entry.exitCode, 0) << entry.out.toStdString();

    // The unpacked program finds everything it needs in itself and the system's libraries.
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SDL_AUDIODRIVER", "dummy");
    game.setProcessEnvironment(env);
    endWithTheTest(game);
    game.start(root.path() + "/usr/bin/melquad", {});
    ASSERT_TRUE(game.waitForStarted(5000));
    EXPECT_FALSE(game.waitForFinished(1500)) << game.readAllStandardError().toStdString();
    game.terminate();
    game.waitForFinished(5000);
}

TEST_F(Package, AptResolvesItsDependenciesHere) {
    const Finished dryRun =
        run("apt-get", {"install", "--simulate", "--no-install-recommends", packageFile()});
    EXPECT_EQ(dryRun.exitCode, 0) << dryRun.out.toStdString() << dryRun.err.toStdString();
    EXPECT_TRUE(dryRun.out.contains(QRegularExpression("^(Inst|Conf) melquad ",
                                                       QRegularExpression::MultilineOption)) ||
                dryRun.out.contains("melquad is already the newest version"))
        << dryRun.out.toStdString();
}

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
