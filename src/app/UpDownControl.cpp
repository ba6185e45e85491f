#include "app/UpDownControl.h"

#include <QToolButton>
#include <algorithm>

namespace vantor {

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    return button;
}

}  // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent),
      m_up(ArrowButton(Qt::UpArrow, this)),
      m_down(ArrowButton(Qt::DownArrow, this)) {
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, &UpDownControl::StepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownControl::StepDown);
}

void UpDownControl::SetRange(int lowest, int highest) {
    m_lowest = lowest;
    m_highest = highest;
    m_position = std::clamp(m_position, lowest, highest);
}

void UpDownControl::resizeEvent(QResizeEvent* /*event*/) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

void UpDownControl::Step(int delta) {
    if (m_buddy) {
        bool isNumber = false;
        const int shown = m_buddy->text().trimmed().toInt(&isNumber);
        if (isNumber && shown >= m_lowest && shown <= m_highest) {
            m_position = shown;
        }
    }
    m_position += delta;
    if (m_position > m_highest) {
        m_position = m_lowest;
    } else if (m_position < m_lowest) {
        m_position = m_highest;
    }
    if (m_buddy) {
        m_buddy->setText(QString::number(m_position));
    }
}

}  // namespace vantor
