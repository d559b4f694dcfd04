#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <vector>

// Answers every message box with OK as soon as it is up, noting its title and text.
class BoxAnswerer {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    BoxAnswerer();

    std::vector<Seen> seen;

private:
    QTimer poll_;
};
