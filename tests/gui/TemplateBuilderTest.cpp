#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <set>

#include "GuiTestSupport.h"
#include "app/CachedFrameStyle.h"
#include "app/ClickLabel.h"
#include "app/TemplateBuilder.h"
#include "app/ValueFont.h"
#include "polling/ControlIds.h"
#include "res/Templates.h"

namespace vantor::test {
namespace {

// The dialog font of the templates' own platform: 6 pixels average width, 13 high.
const DialogUnits kClassicUnits(6, 13);

struct Built {
    std::unique_ptr<QWidget> dialog = std::make_unique<QWidget>();
    ControlMap controls;
};

Built Build(const res::DialogTemplate& dialog, const DialogUnits& units = kClassicUnits) {
    Built built;
    built.controls = TemplateBuilder(units, DialogFont()).Build(dialog, built.dialog.get());
    return built;
}

const std::vector<const res::DialogTemplate*>& AllTemplates() {
    static const std::vector<const res::DialogTemplate*> all = {
        &res::MainTemplate(),     &res::AboutTemplate(),      &res::FilePageTemplate(),
        &res::PortPageTemplate(), &res::ModbusPageTemplate(), &res::NominalPageTemplate(),
        &res::IecPageTemplate()};
    return all;
}

TEST(TemplateBuilder, EveryControlHasItsIdAtItsRectangle) {
    for (const res::DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        const Built built = Build(*dialog);
        std::set<int> ids;
        for (const res::ControlSpec& entry : dialog->controls) {
            if (entry.id == res::kNoId) {
                continue;
            }
            EXPECT_TRUE(ids.insert(entry.id).second) << "id twice: " << entry.id;
            QWidget* control = built.controls.Find(entry.id);
            ASSERT_NE(control, nullptr) << entry.id;
            EXPECT_EQ(ControlIdOf(control), entry.id);
            const QRect expected = kClassicUnits.ToPixels(entry.rect);
            if (qobject_cast<QComboBox*>(control) != nullptr) {
                // A closed list is one line high; the template's height is the dropped list's.
                EXPECT_EQ(control->geometry().topLeft(), expected.topLeft()) << entry.id;
                EXPECT_EQ(control->width(), expected.width()) << entry.id;
            } else {
                EXPECT_EQ(control->geometry(), expected) << entry.id;
            }
        }
        EXPECT_EQ(built.controls.All().size(), ids.size());
    }
}

TEST(TemplateBuilder, DialogUnitsFollowThePlatformRounding) {
    struct Case {
        const res::DialogTemplate& dialog;
        int id;
        QRect pixels;
    };
    // Corners converted one by one, x × 6 / 4 and y × 13 / 8, halves rounded up.
    const Case cases[] = {
        {res::MainTemplate(), ctl::kIaField, QRect(77, 73, 67, 20)},
        {res::MainTemplate(), ctl::kFrequencyField, QRect(555, 73, 68, 20)},
        {res::MainTemplate(), ctl::kPeriodEdit, QRect(122, 401, 67, 20)},
        {res::MainTemplate(), ctl::kMeasureDelayButton, QRect(302, 393, 105, 33)},
        {res::ModbusPageTemplate(), ctl::modbus::kAddressEdit, QRect(128, 16, 37, 20)},
        {res::IecPageTemplate(), ctl::iec::kAddressEdit, QRect(243, 10, 60, 19)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const Built built = Build(c.dialog);
        QWidget* control = built.controls.Find(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), c.pixels);
    }
    const TemplateBuilder builder(kClassicUnits, DialogFont());
    EXPECT_EQ(builder.ClientSize(res::MainTemplate()), QSize(656, 541));
    EXPECT_EQ(builder.ClientSize(res::PortPageTemplate()), QSize(153, 132));
}

TEST(TemplateBuilder, ProportionsHoldAtAnyFontSize) {
    QFont small = DialogFont();
    QFont large = small;
    large.setPointSize(small.pointSize() * 2);
    const DialogUnits a = DialogUnits::Of(small);
    const DialogUnits b = DialogUnits::Of(large);
    EXPECT_NEAR(b.BaseWidth(), 2 * a.BaseWidth(), 1);
    EXPECT_NEAR(b.BaseHeight(), 2 * a.BaseHeight(), 2);
    const Built built = Build(res::MainTemplate(), b);
    const QRect field = built.controls.Find(ctl::kIaField)->geometry();
    EXPECT_EQ(field, b.ToPixels({51, 45, 45, 12}));
}

TEST(TemplateBuilder, KindsAndStylesBecomeWidgetProperties) {
    const Built main = Build(res::MainTemplate());
    const ControlMap& c = main.controls;
    EXPECT_TRUE(c.As<QLineEdit>(ctl::kRecTimeEdit)->isReadOnly());
    EXPECT_TRUE(c.As<QLineEdit>(ctl::kIaField)->isReadOnly());
    EXPECT_FALSE(c.As<QLineEdit>(ctl::kPeriodEdit)->isReadOnly());
    EXPECT_TRUE(c.Find(ctl::kDefaultButton)->isHidden());
    EXPECT_TRUE(c.As<QPushButton>(ctl::kDefaultButton)->isDefault());
    EXPECT_TRUE(c.Find(ctl::kRatioGroup)->isHidden());
    EXPECT_TRUE(c.Find(ctl::kMinPeriodEdit)->isHidden());
    EXPECT_FALSE(c.Find(ctl::kStartButton)->isHidden());
    EXPECT_TRUE(c.As<QPushButton>(ctl::kPhysicalCheck)->isCheckable());
    EXPECT_FALSE(c.As<QPushButton>(ctl::kStartButton)->isCheckable());
    EXPECT_EQ(c.As<QGroupBox>(ctl::kVoltageGroup)->alignment() & Qt::AlignHCenter,
              Qt::AlignHCenter);
    for (int tab :
         {ctl::kFileTab, ctl::kPortTab, ctl::kModbusTab, ctl::kIecTab, ctl::kNominalTab}) {
        EXPECT_NE(qobject_cast<ClickLabel*>(c.Find(tab)), nullptr) << tab;
    }
    EXPECT_EQ(c.Find(ctl::kFileTab)->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(c.Find(ctl::kPortTab)->focusPolicy(), Qt::NoFocus);
    for (int twoLines : {ctl::kMeasureDelayButton, ctl::kSyncClockButton, ctl::kLinkReadRadio}) {
        EXPECT_TRUE(c.As<QAbstractButton>(twoLines)->text().contains(QLatin1Char('\n')))
            << twoLines;
    }
    EXPECT_TRUE(Build(res::IecPageTemplate()).controls.Find(ctl::iec::kFixedFrameEdit)->isHidden());
}

TEST(TemplateBuilder, ListsKeepOrSortTheirItems) {
    struct Case {
        const res::DialogTemplate& dialog;
        int id;
        QStringList items;
    };
    const Case cases[] = {
        {res::MainTemplate(),
         ctl::kGroupCombo,
         {"Общий", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15",
          "16"}},
        {res::PortPageTemplate(),
         ctl::port::kPortList,
         {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "НЕТ"}},
        {res::PortPageTemplate(), ctl::port::kParityList, {"ЧЕТ", "НЕЧЕТ", "НЕТ"}},
        {res::PortPageTemplate(),
         ctl::port::kBaudList,
         {"1200", "2400", "4800", "9600", "14400", "19200", "38400", "76800"}},
        {res::NominalPageTemplate(), ctl::nominal::kCurrentList, {"0.5", "1.0", "2.5", "5.0"}},
        {res::NominalPageTemplate(), ctl::nominal::kVoltageList, {"100", "380"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const Built built = Build(c.dialog);
        auto* list = built.controls.As<QComboBox>(c.id);
        ASSERT_NE(list, nullptr);
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(list->currentIndex(), -1);
    }
}

TEST(TemplateBuilder, EachRadioGroupIsExclusiveOnItsOwn) {
    const Built main = Build(res::MainTemplate());
    const ControlMap& c = main.controls;
    c.As<QRadioButton>(ctl::kGroupPollRadio)->setChecked(true);
    c.As<QRadioButton>(ctl::kFcbOffRadio)->setChecked(true);
    c.As<QRadioButton>(ctl::kModbusRadio)->setChecked(true);
    c.As<QRadioButton>(ctl::kIecRadio)->setChecked(true);
    EXPECT_FALSE(c.As<QRadioButton>(ctl::kModbusRadio)->isChecked());
    EXPECT_TRUE(c.As<QRadioButton>(ctl::kGroupPollRadio)->isChecked());
    EXPECT_TRUE(c.As<QRadioButton>(ctl::kFcbOffRadio)->isChecked());
    c.As<QRadioButton>(ctl::kLinkReadRadio)->setChecked(true);
    EXPECT_FALSE(c.As<QRadioButton>(ctl::kGroupPollRadio)->isChecked());
    EXPECT_TRUE(c.As<QRadioButton>(ctl::kIecRadio)->isChecked());
}

TEST(TemplateBuilder, FramesLieBeneathWhatTheyFrame) {
    const Built modbus = Build(res::ModbusPageTemplate());
    // The mode frame comes after its radio buttons in the template, yet clicks reach them.
    QWidget* ascii = modbus.controls.Find(ctl::modbus::kAsciiRadio);
    const QPoint middle = ascii->geometry().center();
    EXPECT_EQ(modbus.dialog->childAt(middle), ascii);
}

TEST(CachedFrameStyle, DrawsEveryGroupFrameAsThePlatformStyleDoes) {
    // Titled, untitled and checkable boxes, in the main window's dialog font.
    struct Case {
        const char* title;
        bool checkable;
    };
    for (const Case& box : {Case{"Ток, А", false}, Case{"", false}, Case{"", true}}) {
        SCOPED_TRACE(box.title);
        const auto draw = [&box](QStyle* style) {
            QGroupBox group(QString::fromUtf8(box.title));
            group.setFont(DialogFont());
            group.setCheckable(box.checkable);
            if (style != nullptr) {
                group.setStyle(style);
            }
            group.resize(120, 60);
            return group.grab().toImage();
        };
        const QImage standard = draw(nullptr);
        const QImage cached = draw(ApplicationFrameStyle());
        EXPECT_TRUE(cached == standard);
    }
}

TEST(CachedFrameStyle, EveryTemplateGroupBoxAndTextFieldDrawsWithIt) {
    for (const res::DialogTemplate* dialog : AllTemplates()) {
        const Built built = Build(*dialog);
        for (QGroupBox* box : built.dialog->findChildren<QGroupBox*>()) {
            EXPECT_EQ(box->style(), ApplicationFrameStyle()) << dialog->id;
        }
        for (QLineEdit* edit : built.dialog->findChildren<QLineEdit*>()) {
            EXPECT_EQ(edit->style(), ApplicationFrameStyle()) << dialog->id;
        }
    }
}

TEST(ValueFont, IsTheEnlargedDefaultFontInArialScaledWithTheDialogFont) {
    const QFont classic = ValueFont(kClassicUnits);
    EXPECT_TRUE(classic.bold());
    EXPECT_EQ(classic.family(), QStringLiteral("Arial"));
    EXPECT_NEAR(QFontMetrics(classic).height(), 21, 1);
    const QFont doubled = ValueFont(DialogUnits(12, 26));
    EXPECT_NEAR(QFontMetrics(doubled).height(), 42, 2);
}

}  // namespace
}  // namespace vantor::test
