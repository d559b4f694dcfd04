#pragma once

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <algorithm>

// The regular files under a folder, by their paths relative to it, sorted.
inline QStringList filesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The keys of a desktop entry's main group, translations included ("Comment[en]").
inline QMap<QString, QString> desktopEntry(const QString& path) {
    QFile file(path);
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly)) return keys;
    bool inMain = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('[')) inMain = line == "[Desktop Entry]";
        const qsizetype eq = line.indexOf('=');
        if (inMain && eq > 0) keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

// A metainfo file's root element, or a null one when it cannot be read.
inline QDomElement metainfo(const QString& path) {
    QFile file(path);
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file)) return {};
    return doc.documentElement();
}

inline bool hasKana(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x3040 && c.unicode() <= 0x30ff; });
}
