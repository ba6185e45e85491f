#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "GuiTestSupport.h"
#include "app/AboutDlg.h"
#include "app/Caption.h"
#include "app/QuantityFields.h"
#include "config/Protocol.h"
#include "polling/ControlIds.h"
#include "res/Strings.h"
#include "text/Quantities.h"

namespace vantor::test {
namespace {

bool IsBlack(QLineEdit* field) {
    return field->palette().color(QPalette::Base) == Qt::black &&
           field->palette().color(QPalette::Text) == Qt::black;
}

TEST(Caption, KeepsWhatComesBeforeAnEarlierFilePart) {
    struct Case {
        const char* caption;
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        {"Vantor 3 VuRo", "device.dat", "Vantor 3 VuRo (device.dat)"},
        {"Vantor 3 VuRo (device.dat)", "other.dat", "Vantor 3 VuRo (other.dat)"},
        {"Vantor 3 VuRo", "", "Vantor 3 VuRo ()"},
        {"(old) caption", "a.dat", "(old) caption (a.dat)"},  // "(" at 0 is not a file part
        {"x(old)", "a.dat", " (a.dat)"},                      // "(" at 1 keeps nothing
        {"Прибор (файл).dat", "новый.dat", "Прибор (новый.dat)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptionWithFile(QString::fromUtf8(c.caption), QString::fromUtf8(c.file)),
                  QString::fromUtf8(c.expected))
            << c.caption;
    }
}

// Positions in the key list.
constexpr std::size_t kKeyUa = 0;
constexpr std::size_t kKeyUb = 1;
constexpr std::size_t kKeyIb = 5;
constexpr std::size_t kKeyIc = 6;
constexpr std::size_t kKeyUbc = 9;

// Each quantity takes the group of the item that carries it, whatever its place in the key
// list: here Ubc and Ic lie at other item positions than their key positions.
TEST(PresentQuantities, GroupFilterKeepsOnlyTheQuantitiesOfTheChosenGroupsItems) {
    const TextArray keys(kQuantityKeys.begin(), kQuantityKeys.end());
    const TextArray items = {"Ua)", "0",   "2", "Ubc)", "1",   "2", "Резерв", "2",
                             "2",   "Ic)", "3", "2",    "Ib)", "4", "2"};
    ByteArray cot = {21, 21, 23, 22, 21};
    cot.resize(cot.size() + 9, 0);  // the tags after the items belong to nobody
    ByteArray active(32, 0);
    for (const std::size_t key : {kKeyUa, kKeyUbc, kKeyIc}) {
        active.at(key) = 1;  // Ib is absent, say for the wiring
    }
    // Everything present unless filtered: "Общий", or another mode, uses the flags as they are.
    for (const auto& [group, mode] : {std::pair{0, kIecGroupPolling}, std::pair{1, kIecReadCommand},
                                      std::pair{1, kIecLinkReading}}) {
        const auto present = PresentQuantities(active, items, keys, cot, group, mode);
        EXPECT_TRUE(present.at(kKeyUa) && present.at(kKeyUbc) && present.at(kKeyIc));
        EXPECT_FALSE(present.at(kKeyIb));
    }
    const auto group1 = PresentQuantities(active, items, keys, cot, 1, kIecGroupPolling);
    EXPECT_TRUE(group1.at(kKeyUa));
    EXPECT_TRUE(group1.at(kKeyUbc));
    EXPECT_FALSE(group1.at(kKeyIc));  // its item is in group 2
    EXPECT_FALSE(group1.at(kKeyIb));  // absent anyway
    EXPECT_FALSE(group1.at(kKeyUb));  // carried by no item
    const auto group2 = PresentQuantities(active, items, keys, cot, 2, 0);
    EXPECT_EQ(std::count(group2.begin(), group2.end(), true), 1);
    EXPECT_TRUE(group2.at(kKeyIc));
}

class MainWindow : public MainWindowTest {};

TEST_F(MainWindow, StartsWithItsCaptionDefaultsAndLockedRecordTime) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantor 3 VuRo"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(Text(ctl::kPeriodEdit), QStringLiteral("500"));
    EXPECT_EQ(Text(ctl::kRecTimeEdit), QStringLiteral("00 : 00 : 15"));
    EXPECT_TRUE(Control<QLineEdit>(ctl::kRecTimeEdit)->isReadOnly());
    EXPECT_EQ(Control<QComboBox>(ctl::kGroupCombo)->currentText(), QStringLiteral("Общий"));
    EXPECT_TRUE(Control<QRadioButton>(ctl::kModbusRadio)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(ctl::kLinkReadRadio)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(ctl::kFcbOnRadio)->isChecked());
    EXPECT_EQ(Text(ctl::kKnText), QString());
    EXPECT_EQ(Dlg().m_port.m_strPortName, "COM1");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MainWindow, DataExchangeShowsAndSavesInItsOrder) {
    Dlg().m_strUa = "57.735";
    Dlg().m_nPeriod = 750;
    Dlg().m_bSave = TRUE;
    Dlg().m_nIecMode = kIecGroupPolling;
    Dlg().m_nProtocol = kIecProtocol;
    Dlg().m_nFcb = -1;
    ASSERT_TRUE(window->UpdateData(false));
    EXPECT_EQ(Text(ctl::kUaField), QStringLiteral("57.735"));
    EXPECT_EQ(Text(ctl::kPeriodEdit), QStringLiteral("750"));
    EXPECT_TRUE(Control<QAbstractButton>(ctl::kSaveCheck)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(ctl::kGroupPollRadio)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(ctl::kIecRadio)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(ctl::kFcbOffRadio)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(ctl::kFcbOnRadio)->isChecked());

    SetText(ctl::kPeriodEdit, QStringLiteral(" 1200 "));
    SetText(ctl::kRecTimeEdit, QStringLiteral("00 : 01 : 00"));
    Control<QRadioButton>(ctl::kReadRadio)->setChecked(true);
    Control<QAbstractButton>(ctl::kPhysicalCheck)->setChecked(true);
    ASSERT_TRUE(window->UpdateData(true));
    EXPECT_EQ(Dlg().m_nPeriod, 1200u);
    EXPECT_EQ(Dlg().m_strRecTime, "00 : 01 : 00");
    EXPECT_EQ(Dlg().m_nIecMode, kIecReadCommand);
    EXPECT_EQ(Dlg().m_bPhysical, TRUE);
    EXPECT_EQ(Dlg().m_nFcb, -1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MainWindow, UnreadablePollPeriodStopsTheSaveAtItsField) {
    for (const char* bad : {"abc", "", "-5", "12x", "4294967296"}) {
        SCOPED_TRACE(bad);
        prompts.messages.clear();
        Dlg().m_bPhysical = FALSE;
        Dlg().m_strRecTime = "old";
        Dlg().m_nMinPeriod = 150;
        ASSERT_TRUE(window->UpdateData(false));
        // The physical-units check is bound before the poll period, the minimum period after it.
        Control<QAbstractButton>(ctl::kPhysicalCheck)->setChecked(true);
        SetText(ctl::kMinPeriodEdit, QStringLiteral("999"));
        SetText(ctl::kRecTimeEdit, QStringLiteral("new"));
        SetText(ctl::kPeriodEdit, QString::fromUtf8(bad));
        EXPECT_FALSE(window->UpdateData(true));
        EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Vantor 3: Enter a positive integer."});
        EXPECT_EQ(prompts.messages.at(0).icon, MessageIcon::Warning);
        EXPECT_EQ(Dlg().m_bPhysical, TRUE);
        EXPECT_EQ(Dlg().m_nPeriod, 500u);
        EXPECT_EQ(Dlg().m_nMinPeriod, 150u);
        EXPECT_EQ(Dlg().m_strRecTime, "old");
        EXPECT_TRUE(Control<QLineEdit>(ctl::kPeriodEdit)->hasFocus());
        EXPECT_EQ(Control<QLineEdit>(ctl::kPeriodEdit)->selectedText(), QString::fromUtf8(bad));
    }
}

TEST_F(MainWindow, EnterCommitsAndRedisplaysButNeverCloses) {
    QLineEdit* period = Control<QLineEdit>(ctl::kPeriodEdit);
    period->setFocus();
    period->setText(QStringLiteral("800"));
    PressKey(period, Qt::Key_Return);
    EXPECT_EQ(Dlg().m_nPeriod, 800u);
    period->setText(QStringLiteral("letters"));
    PressKey(period, Qt::Key_Return);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Vantor 3: Enter a positive integer."});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Dlg().m_nPeriod, 800u);
}

TEST_F(MainWindow, EnterOnAFocusedPushButtonPressesIt) {
    QPushButton* stop = Control<QPushButton>(ctl::kStopButton);
    stop->setFocus();
    Dlg().m_bRunning = TRUE;
    PressKey(stop, Qt::Key_Return);
    EXPECT_EQ(Dlg().m_bRunning, FALSE);
}

TEST_F(MainWindow, EscapeClosesTheWindow) {
    PressKey(Control<QLineEdit>(ctl::kPeriodEdit), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(MainWindow, DispatchReportsAnIndexOutOfRangeAndStopsAPollTick) {
    window->Dispatch([] { throw InvalidArgument(); });
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{"Vantor 3: Encountered an improper argument."});

    prompts.messages.clear();
    Dlg().m_bRunning = TRUE;
    window->SetTimer(kPollTimer, 500);
    window->Dispatch([] { throw InvalidArgument(); }, true);
    EXPECT_EQ(Dlg().m_bRunning, FALSE);
    EXPECT_EQ(prompts.messages.size(), 1u);
    const auto timers = window->findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    EXPECT_FALSE(timers.front()->isActive());
}

TEST_F(MainWindow, StartWithAnEmptyItemListIsReportedOnceAtTheDispatchPoint) {
    Dlg().m_strConfigName = "empty.dat";  // loaded, but with no items to plan
    Click(Control<QPushButton>(ctl::kStartButton));
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{"Vantor 3: Encountered an improper argument."});
}

TEST_F(MainWindow, AbsentQuantitiesAreBlackBoxesUnderTheGroupFilter) {
    QLineEdit* ua = Control<QLineEdit>(ctl::kUaField);           // flag 0
    QLineEdit* ub = Control<QLineEdit>(ctl::kUbField);           // flag 1
    QLineEdit* uc = Control<QLineEdit>(ctl::kUcField);           // flag 2
    QLineEdit* freq = Control<QLineEdit>(ctl::kFrequencyField);  // flag 26
    Dlg().m_baActive.at(26) = 0;
    const ByteArray flags = Dlg().m_baActive;
    // The items in another order than the keys: each field goes by the item carrying it.
    Dlg().m_saItems = {"Uc)", "0", "2", "Ua)", "1", "2", "Ub)", "2", "2"};
    Dlg().m_baItemCot.assign(3 + 9, 20);
    Dlg().m_baItemCot.at(0) = 24;
    Dlg().m_baItemCot.at(1) = 23;
    window->grab();
    EXPECT_FALSE(IsBlack(ua));
    EXPECT_FALSE(IsBlack(ub));
    EXPECT_TRUE(IsBlack(freq));

    Dlg().m_nIecMode = kIecGroupPolling;
    Control<QComboBox>(ctl::kGroupCombo)->setCurrentIndex(3);
    window->grab();
    EXPECT_FALSE(IsBlack(ua));
    EXPECT_TRUE(IsBlack(ub));
    EXPECT_TRUE(IsBlack(uc));
    EXPECT_TRUE(IsBlack(freq));
    EXPECT_EQ(Dlg().m_baActive, flags);

    Control<QComboBox>(ctl::kGroupCombo)->setCurrentIndex(0);
    window->grab();
    EXPECT_FALSE(IsBlack(ub));
}

TEST_F(MainWindow, FieldsFillingTheirOwnCornersLookAsOverTheWindowBehindThem) {
    // A value, a blacked-out field, and a field with the keyboard focus.
    Dlg().m_strUa = "57.735";
    Dlg().m_baActive.at(26) = 0;
    ASSERT_TRUE(window->UpdateData(false));
    Activate(window.get());
    Control<QLineEdit>(ctl::kPeriodEdit)->setFocus();
    ProcessEvents();
    const QImage own = window->grab().toImage();
    // As the window drew them before they filled their corners: what lies under them first.
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        edit->setAutoFillBackground(false);
    }
    const QImage underneath = window->grab().toImage();
    EXPECT_TRUE(own == underneath);
}

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
        }
        return false;
    }
    std::map<QObject*, int> paints;
};

TEST_F(MainWindow, ShownValuesRepaintTheirFieldsAloneNotTheWindowOrAFrameBehind) {
    ProcessEvents();
    PaintCounter counter;
    window->installEventFilter(&counter);
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->installEventFilter(&counter);
    }
    // A cycle's values and the time of its request, as a poll tick shows them.
    Dlg().m_strUa = "1.000";
    Dlg().m_strPcTime = "12 : 00 : 1.25";
    ASSERT_TRUE(window->UpdateData(false));
    ProcessEvents();
    EXPECT_GT(counter.paints[Control<QLineEdit>(ctl::kUaField)], 0);
    EXPECT_GT(counter.paints[Control<QLineEdit>(ctl::kPcTimeField)], 0);
    counter.paints.erase(Control<QLineEdit>(ctl::kUaField));
    counter.paints.erase(Control<QLineEdit>(ctl::kPcTimeField));
    for (const auto& [widget, paints] : counter.paints) {
        EXPECT_EQ(paints, 0) << widget->metaObject()->className() << " "
                             << ControlIdOf(qobject_cast<QWidget*>(widget));
    }
}

TEST_F(MainWindow, ACommittedGroupChoiceColoursTheFieldsWithoutAnotherRepaint) {
    QLineEdit* ua = Control<QLineEdit>(ctl::kUaField);
    QLineEdit* ub = Control<QLineEdit>(ctl::kUbField);
    Dlg().m_saItems = {"Ua)", "0", "2", "Ub)", "1", "2"};
    Dlg().m_baItemCot = {23, 20};
    // Committed by a handler, and by a poll tick, which reads back the operator's input alone.
    for (const bool tick : {false, true}) {
        SCOPED_TRACE(tick ? "tick" : "handler");
        Dlg().m_nIecMode = kIecReadCommand;
        Control<QRadioButton>(ctl::kLinkReadRadio)->setChecked(true);
        ASSERT_TRUE(window->UpdateData(true));
        Control<QComboBox>(ctl::kGroupCombo)->setCurrentIndex(3);
        ProcessEvents();
        window->grab();
        ASSERT_FALSE(IsBlack(ub)) << "no filter outside group polling";
        // "Опрос группы" chosen; its commit is the only change: every field text stays the same.
        Control<QRadioButton>(ctl::kGroupPollRadio)->setChecked(true);
        ASSERT_TRUE(tick ? window->CommitOperatorInput() : window->UpdateData(true));
        ASSERT_EQ(Dlg().m_nIecMode, kIecGroupPolling);
        ProcessEvents();
        EXPECT_FALSE(IsBlack(ua));
        EXPECT_TRUE(IsBlack(ub));
    }
}

TEST_F(MainWindow, ATickReadsBackWhatTheOperatorCanChangeAndNoShownValue) {
    Dlg().m_strUa = "57.735";
    Dlg().m_strRecTime = "00 : 00 : 15";
    Dlg().m_nMinPeriod = 150;
    ASSERT_TRUE(window->UpdateData(false));
    // Fields no operator can type into: a value, the locked record time, a hidden field.
    SetText(ctl::kUaField, QStringLiteral("1.000"));
    SetText(ctl::kRecTimeEdit, QStringLiteral("00 : 01 : 00"));
    SetText(ctl::kMinPeriodEdit, QStringLiteral("999"));
    // What the operator can change: the poll period, a check box, a radio group.
    SetText(ctl::kPeriodEdit, QStringLiteral("1200"));
    Control<QAbstractButton>(ctl::kPhysicalCheck)->setChecked(true);
    Control<QRadioButton>(ctl::kReadRadio)->setChecked(true);
    ASSERT_TRUE(window->CommitOperatorInput());
    EXPECT_EQ(Dlg().m_strUa, "57.735");
    EXPECT_EQ(Dlg().m_strRecTime, "00 : 00 : 15");
    EXPECT_EQ(Dlg().m_nMinPeriod, 150u);
    EXPECT_EQ(Dlg().m_nPeriod, 1200u);
    EXPECT_EQ(Dlg().m_bPhysical, TRUE);
    EXPECT_EQ(Dlg().m_nIecMode, kIecReadCommand);

    SetText(ctl::kPeriodEdit, QStringLiteral("letters"));
    EXPECT_FALSE(window->CommitOperatorInput());
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Vantor 3: Enter a positive integer."});
    EXPECT_EQ(Dlg().m_nPeriod, 1200u);
}

TEST_F(MainWindow, IecRadioSwitchesToEightBitsAndModbusOnlyTagsTheProtocol) {
    Click(Control<QRadioButton>(ctl::kIecRadio));
    EXPECT_EQ(Dlg().m_nProtocol, kIecProtocol);
    EXPECT_EQ(Dlg().m_strDataBits, "8");
    EXPECT_EQ(Dlg().m_b8Bit, TRUE);
    EXPECT_EQ(Dlg().m_nProtoTag, kIecProtoTag);
    EXPECT_EQ(com1->Settings().dataBits, 8);

    Click(Control<QRadioButton>(ctl::kModbusRadio));
    EXPECT_EQ(Dlg().m_nProtoTag, kModbusProtoTag);
    EXPECT_EQ(Dlg().m_strDataBits, "8");
    EXPECT_EQ(Dlg().m_b8Bit, TRUE);
    EXPECT_EQ(Dlg().m_nProtocol, kIecProtocol);  // until the next commit
}

TEST_F(MainWindow, RecordTimeCheckUnlocksItsField) {
    Click(Control<QAbstractButton>(ctl::kRecTimeCheck));
    EXPECT_EQ(Dlg().m_bRecTime, TRUE);
    EXPECT_FALSE(Control<QLineEdit>(ctl::kRecTimeEdit)->isReadOnly());
    Click(Control<QAbstractButton>(ctl::kRecTimeCheck));
    EXPECT_TRUE(Control<QLineEdit>(ctl::kRecTimeEdit)->isReadOnly());
}

// The forms of the IEC 60870-5-101 commands a standard secondary expects are chosen in the
// window's menu; they start off.
TEST_F(MainWindow, MenuChoosesTheStandardSecondaryForms) {
    CIec101Channel& iec = window->State().m_iec;
    EXPECT_FALSE(iec.m_bReadAsUserData);
    EXPECT_FALSE(iec.m_bInterrogateAtZero);
    for (const char* entry : {res::kReadAsUserDataEntry, res::kInterrogateAtZeroEntry}) {
        bool found = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                if (action->text() == QString::fromUtf8(entry)) {
                    found = true;
                    action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                window->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(window.get(), &event);
        EXPECT_TRUE(found) << entry;
    }
    EXPECT_TRUE(iec.m_bReadAsUserData);
    EXPECT_TRUE(iec.m_bInterrogateAtZero);
}

TEST_F(MainWindow, AboutOpensForTheCommandAndItsLowBits) {
    for (unsigned command : {0x0010u, 0x0013u, 0x001Fu}) {
        QString caption;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(about, nullptr);
            caption = about->windowTitle();
            for (QLabel* label : about->findChildren<QLabel*>()) {
                texts << label->text();
            }
            Click(about->Controls().As<QPushButton>(ctl::about::kOkButton));
        });
        window->OnSysCommand(command);
        EXPECT_EQ(caption, QStringLiteral("About Vantor 3")) << command;
        EXPECT_TRUE(texts.contains(QStringLiteral("Vantor 3 Version 1.1")));
    }
    bool opened = false;
    QTimer::singleShot(0, [&] { opened = QApplication::activeModalWidget() != nullptr; });
    window->OnSysCommand(0x0020);
    ProcessEvents();
    EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace vantor::test
