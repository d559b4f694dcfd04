#pragma once

#include <QString>
#include <QStringList>

inline const QString appId = QStringLiteral("org.melquad.melquad");

// Every file the program installs, relative to the prefix.
inline QStringList installedFiles() {
    return {
        "bin/melquad",
        "share/applications/" + appId + ".desktop",
        "share/icons/hicolor/32x32/apps/" + appId + ".png",
        "share/metainfo/" + appId + ".metainfo.xml",
    };
}
