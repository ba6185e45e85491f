#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace vantor {

// Up and down arrows attached to the text field before them: each step reads the field's
// number, moves it by one within the range, wrapping at the ends, and writes it back. The
// arrows never take the keyboard focus, so the field keeps it.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy) { m_buddy = buddy; }
    void SetRange(int lowest, int highest);
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);

    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QLineEdit> m_buddy;
    int m_lowest = 0;
    int m_highest = 100;
    int m_position = 0;
};

}  // namespace vantor
