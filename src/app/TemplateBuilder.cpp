#include "app/TemplateBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

#include "app/CachedFrameStyle.h"
#include "app/ClickLabel.h"
#include "app/FieldLook.h"
#include "app/UpDownControl.h"
#include "res/AppIcon.h"

namespace vantor {

namespace {

using res::ControlKind;

bool Has(const res::ControlSpec& entry, unsigned style) {
    return (entry.style & style) != 0;
}

QString Text(const res::ControlSpec& entry) {
    return QString::fromStdString(entry.text);
}

QWidget* CreateText(const res::ControlSpec& entry, QWidget* parent) {
    QLabel* label = Has(entry, res::kNotify) ? new ClickLabel(parent) : new QLabel(parent);
    label->setText(Text(entry));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((Has(entry, res::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setWordWrap(Has(entry, res::kTwoLines));
    if (Has(entry, res::kTabStop)) {
        label->setFocusPolicy(Qt::TabFocus);
    }
    return label;
}

QWidget* CreateGroupBox(const res::ControlSpec& entry, QWidget* parent) {
    auto* box = new QGroupBox(Text(entry), parent);
    box->setAlignment(Has(entry, res::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft);
    // A frame is drawn around its neighbours; clicks go through it to them.
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    box->setStyle(ApplicationFrameStyle());
    return box;
}

QWidget* CreateEdit(const res::ControlSpec& entry, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setStyle(ApplicationFrameStyle());
    SetReadOnlyLook(edit, Has(entry, res::kReadOnly));
    return edit;
}

QWidget* CreatePushButton(const res::ControlSpec& entry, QWidget* parent) {
    auto* button = new QPushButton(Text(entry), parent);
    // Enter is routed by the dialog itself, as the platform's dialog manager does.
    button->setAutoDefault(false);
    button->setDefault(entry.kind == ControlKind::DefaultButton);
    button->setCheckable(entry.kind == ControlKind::PushCheckBox);
    return button;
}

QWidget* CreateDropList(const res::ControlSpec& entry, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    std::vector<QString> items;
    for (const std::string& item : entry.items) {
        items.push_back(QString::fromStdString(item));
    }
    if (Has(entry, res::kSorted)) {
        std::sort(items.begin(), items.end());
    }
    for (const QString& item : items) {
        combo->addItem(item);
    }
    combo->setCurrentIndex(-1);
    return combo;
}

QWidget* CreateSpin(QWidget* parent, QWidget* previous) {
    auto* spin = new UpDownControl(parent);
    spin->SetBuddy(qobject_cast<QLineEdit*>(previous));
    return spin;
}

QWidget* CreateIcon(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setScaledContents(true);
    label->setPixmap(res::AppIcon().pixmap(48));
    return label;
}

// Radio buttons that follow one another form a group, started anew at a button marked first
// of its group; each group is exclusive on its own, not with the other radios of the dialog.
class RadioGrouper {
public:
    explicit RadioGrouper(QWidget* parent) : m_parent(parent) {}
    void Add(QWidget* control, const res::ControlSpec& entry) {
        auto* radio = qobject_cast<QRadioButton*>(control);
        if (radio == nullptr) {
            m_group = nullptr;
            return;
        }
        if (m_group == nullptr || Has(entry, res::kGroup)) {
            m_group = new QButtonGroup(m_parent);
        }
        m_group->addButton(radio);
    }

private:
    QWidget* m_parent;
    QButtonGroup* m_group = nullptr;
};

}  // namespace

QString WrapToWidth(const QString& text, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    QString wrapped;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            wrapped += line + QLatin1Char('\n');
            line = word;
        } else {
            line = candidate;
        }
    }
    return wrapped + line;
}

ControlMap TemplateBuilder::Build(const res::DialogTemplate& dialog, QWidget* parent) const {
    parent->setFont(m_font);
    ControlMap controls;
    RadioGrouper grouper(parent);
    std::vector<QWidget*> frames;
    QWidget* previous = nullptr;
    for (const res::ControlSpec& entry : dialog.controls) {
        QWidget* control = Create(entry, parent, previous);
        SetControlId(control, entry.id);
        Place(control, entry);
        control->setHidden(Has(entry, res::kHidden));
        grouper.Add(control, entry);
        if (entry.kind == ControlKind::GroupBox) {
            frames.push_back(control);
        }
        controls.Add(entry.id, control);
        previous = control;
    }
    for (QWidget* frame : frames) {
        frame->lower();
    }
    return controls;
}

QSize TemplateBuilder::ClientSize(const res::DialogTemplate& dialog) const {
    return QSize(m_units.X(dialog.width), m_units.Y(dialog.height));
}

QWidget* TemplateBuilder::Create(const res::ControlSpec& entry, QWidget* parent,
                                 QWidget* previous) const {
    switch (entry.kind) {
        case ControlKind::Text:
            return CreateText(entry, parent);
        case ControlKind::GroupBox:
            return CreateGroupBox(entry, parent);
        case ControlKind::Edit:
            return CreateEdit(entry, parent);
        case ControlKind::PushButton:
        case ControlKind::DefaultButton:
        case ControlKind::PushCheckBox:
            return CreatePushButton(entry, parent);
        case ControlKind::CheckBox:
            return new QCheckBox(Text(entry), parent);
        case ControlKind::RadioButton:
            return new QRadioButton(Text(entry), parent);
        case ControlKind::DropList:
            return CreateDropList(entry, parent);
        case ControlKind::Spin:
            return CreateSpin(parent, previous);
        case ControlKind::Icon:
            return CreateIcon(parent);
    }
    return new QWidget(parent);
}

void TemplateBuilder::Place(QWidget* control, const res::ControlSpec& entry) const {
    QRect rect = m_units.ToPixels(entry.rect);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // The template's height is that of the dropped list; the closed box is one line high.
        const int closedHeight = combo->sizeHint().height();
        const int itemHeight = std::max(1, QFontMetrics(m_font).height());
        combo->setMaxVisibleItems(std::max(1, (rect.height() - closedHeight) / itemHeight));
        rect.setHeight(closedHeight);
    }
    if (Has(entry, res::kTwoLines)) {
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const bool isRadio = qobject_cast<QRadioButton*>(control) != nullptr;
            const int indicator =
                isRadio ? control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                              control->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing)
                        : m_units.X(4);
            button->setText(WrapToWidth(button->text(), m_font, rect.width() - indicator));
        }
    }
    control->setGeometry(rect);
}

}  // namespace vantor
