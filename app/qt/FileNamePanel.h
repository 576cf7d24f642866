// The status bar's file-name panel: a calculation file's full path, however
// long, takes no more room than the panel has. Where it does not fit, the
// path's start gives way to "...", so the file's name at its end stays in
// sight; the whole path is the panel's tooltip. text() is the whole path.
#pragma once

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace morvane {

class FileNamePanel : public QLabel {
public:
    explicit FileNamePanel(QWidget* parent, const char* objectName) : QLabel(parent)
    {
        setObjectName(QString::fromLatin1(objectName));
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

    void showPath(const QString& path)
    {
        setText(path);
        setToolTip(path);
    }

    QSize minimumSizeHint() const override
    {
        return {fontMetrics().horizontalAdvance(QStringLiteral("...")), QLabel::minimumSizeHint().height()};
    }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect room = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideLeft, room.width());
        style()->drawItemText(&painter, room, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

}  // namespace morvane
