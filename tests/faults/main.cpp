#include <gtest/gtest.h>

#include <QApplication>

#include "app/fonts.h"

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("MELQUAD"));
    installFontSubstitutes();
    return RUN_ALL_TESTS();
}
