// `cmake --install` of the build tree into a scratch folder, and the validators over the result.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "desktop_files.h"
#include "installed_files.h"
#include "process.h"

namespace {

class Installed : public testing::Test {
protected:
    static void SetUpTestSuite() {
        destdir = std::make_unique<QTemporaryDir>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", destdir->path());
        installLog = run(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", "/usr"}, env);
    }
    static void TearDownTestSuite() { destdir.reset(); }
    void SetUp() override {
        ASSERT_EQ(installLog.exitCode, 0)
            << installLog.out.toStdString() << installLog.err.toStdString();
    }

    static QString root() { return destdir->path() + "/usr"; }
    static QString path(const QString& relative) { return root() + "/" + relative; }
    static QString desktopFile() { return path("share/applications/" + appId + ".desktop"); }
    static QString metainfoFile() { return path("share/metainfo/" + appId + ".metainfo.xml"); }

    static inline std::unique_ptr<QTemporaryDir> destdir;
    static inline Finished installLog;
};

}  // namespace

TEST_F(Installed, PutsExactlyTheProgramEntryIconAndMetainfoUnderThePrefix) {
    EXPECT_EQ(filesUnder(destdir->path()), [] {
        QStringList expected;
        for (const QString& file : installedFiles()) expected << "usr/" + file;
        expected.sort();
        return expected;
    }());
    EXPECT_TRUE(QFileInfo(path("bin/melquad")).isExecutable());
}

TEST_F(Installed, DesktopEntryPassesTheValidatorAndLaunchesTheGame) {
    const Finished check = run("desktop-file-validate", {desktopFile()});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.out + check.err, "") << "hints, warnings or errors";

    const auto entry = desktopEntry(desktopFile());
    EXPECT_EQ(entry.value("Type"), "Application");
    EXPECT_EQ(entry.value("Name"), "MELQUAD");
    EXPECT_TRUE(hasKana(entry.value("Comment"))) << entry.value("Comment").toStdString();
    EXPECT_TRUE(entry.value("Categories").split(';').contains("Game"));
    EXPECT_EQ(entry.value("Exec"), "melquad");
    EXPECT_EQ(entry.value("Icon"), appId);
    EXPECT_TRUE(
        QFile::exists(path("share/icons/hicolor/32x32/apps/" + entry.value("Icon") + ".png")));
}

TEST_F(Installed, MetainfoPassesTheValidatorsAndDescribesTheSameApplication) {
    for (const QStringList& args :
         {QStringList{"validate", "--no-net", "--strict", "--pedantic", metainfoFile()},
          QStringList{"validate-tree", "--no-net", "--strict", "--pedantic", destdir->path()}}) {
        const Finished check = run("appstreamcli", args);
        EXPECT_EQ(check.exitCode, 0) << args[0].toStdString() << ":\n" << check.out.toStdString();
        EXPECT_EQ(check.out.trimmed(), "✔ Validation was successful.") << args[0].toStdString();
    }

    const QDomElement component = metainfo(metainfoFile());
    ASSERT_FALSE(component.isNull());
    EXPECT_EQ(component.attribute("type"), "desktop-application");
    EXPECT_EQ(component.firstChildElement("id").text(), appId);
    EXPECT_EQ(component.firstChildElement("name").text(), "MELQUAD");
    EXPECT_FALSE(component.firstChildElement("summary").text().isEmpty());
    EXPECT_FALSE(component.firstChildElement("description").text().isEmpty());
    const QDomElement launchable = component.firstChildElement("launchable");
    EXPECT_EQ(launchable.attribute("type"), "desktop-id");
    EXPECT_EQ(launchable.text(), appId + ".desktop");
    EXPECT_EQ(component.firstChildElement("content_rating").attribute("type"), "oars-1.1");
    EXPECT_EQ(component.firstChildElement("provides").firstChildElement("binary").text(),
              "melquad");
    EXPECT_EQ(
        component.firstChildElement("releases").firstChildElement("release").attribute("version"),
        MELQUAD_VERSION);
}

TEST_F(Installed, ThemeIconIsTheWindowIconAsPng) {
    const QString icon = path("share/icons/hicolor/32x32/apps/" + appId + ".png");
    QFile file(icon);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8).startsWith("\x89PNG"));
    const QImage installed(icon);
    const QImage window(":/icon/MAINICON.ico");
    ASSERT_EQ(installed.size(), QSize(32, 32));
    ASSERT_EQ(window.size(), QSize(32, 32));
    EXPECT_EQ(installed.convertToFormat(QImage::Format_ARGB32),
              window.convertToFormat(QImage::Format_ARGB32));
}

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
