#pragma once

#include <QLabel>

namespace vantor {

// A text that reports clicks, as the tab strip and the "Открыть" label need.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace vantor
