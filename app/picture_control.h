#pragma once

#include <QPixmap>
#include <QWidget>

// A picture drawn unscaled from its top-left corner, which looks the same enabled or disabled.
// A click is a left press and release over the control; a double-click's second press is not
// one. Every press, of any button and double-clicks included, is reported as a mouse-down.
class PictureControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap pixmap READ pixmap WRITE setPixmap)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit PictureControl(QWidget* parent = nullptr);

    QPixmap pixmap() const { return pixmap_; }
    void setPixmap(const QPixmap& pixmap);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Accessible;

    QPixmap pixmap_;
    bool autoSize_ = false;
    bool leftPressed_ = false;
};
