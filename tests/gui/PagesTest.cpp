#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "app/UpDownControl.h"
#include "pages/IecProperty.h"
#include "pages/MinPeriod.h"
#include "pages/ModBusDlg.h"
#include "pages/NomDlg.h"
#include "pages/OpenFile.h"
#include "pages/RS485Dlg.h"
#include "polling/ControlIds.h"

namespace vantor::test {
namespace {

TEST(MinPeriod, PortPageFormula) {
    struct Case {
        std::size_t strings;
        const char* baud;
        bool eightBit;
        unsigned expected;
    };
    const Case cases[] = {
        {90, "9600", true, 150},    {90, "1200", false, 1450}, {0, "1200", false, 450},
        {0, "4800", false, 150},    {0, "9600", false, 100},   {0, "76800", false, 100},
        {0, "1200", true, 250},     {0, "4800", true, 100},    {91, "9600", true, 150},
        {90, "9600xyz", true, 150},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PortPageMinPeriod(c.strings, c.baud, c.eightBit), c.expected)
            << c.strings << " " << c.baud << " " << c.eightBit;
    }
    for (const char* noRate : {"", "0", "abc", "-9600"}) {
        EXPECT_EQ(PortPageMinPeriod(90, noRate, true), std::nullopt) << noRate;
    }
}

TEST(MinPeriod, ModbusPageFormula) {
    struct Case {
        std::size_t strings;
        const char* baud;
        bool rtu;
        unsigned expected;
    };
    const Case cases[] = {
        {90, "9600", false, 250}, {90, "9600", true, 200},   {0, "9600", false, 50},
        {0, "9600", true, 100},   {90, "1200", false, 1900},
    };
    for (const Case& c : cases) {
        // The Modbus page doubles again exactly when it chose ASCII framing.
        EXPECT_EQ(ModbusPageMinPeriod(c.strings, c.baud, c.rtu, c.rtu), c.expected)
            << c.strings << " " << c.baud << " " << c.rtu;
    }
    EXPECT_EQ(ModbusPageMinPeriod(90, "", true, true), std::nullopt);
}

class Pages : public MainWindowTest {
protected:
    template <typename Page>
    Page* Open(int tab) {
        window->OpenTab(tab);
        ProcessEvents();
        for (CPage* page : {window->m_pFilePage, window->m_pPortPage, window->m_pModbusPage,
                            window->m_pNomPage, window->m_pIecPage}) {
            if (auto* typed = dynamic_cast<Page*>(page)) {
                return typed;
            }
        }
        ADD_FAILURE() << "no page for tab " << tab;
        return nullptr;
    }
    // The operator's choice in a list of a page.
    static void Choose(CPage* page, int id, const QString& text) {
        auto* list = page->Controls().As<QComboBox>(id);
        ASSERT_NE(list, nullptr);
        const int index = list->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    static QString Selected(CPage* page, int id) {
        return page->Controls().As<QComboBox>(id)->currentText();
    }
    // The operator clicks the main window, whose focus is on one of its controls. (A page
    // whose commit fails takes the focus straight back.)
    void FocusMain(int id) {
        QWidget* control = window->Controls().Find(id);
        ASSERT_NE(control, nullptr);
        control->setFocus();
        window->activateWindow();
        ProcessEvents();
    }
    void WithItems(std::size_t items) { Dlg().m_saItems.assign(3 * items, "x"); }
};

TEST_F(Pages, EachPageOpensBelowItsTabWhereverTheWindowIs) {
    window->move(40, 70);
    ProcessEvents();
    for (int tab :
         {ctl::kFileTab, ctl::kPortTab, ctl::kModbusTab, ctl::kIecTab, ctl::kNominalTab}) {
        SCOPED_TRACE(tab);
        window->OpenTab(tab);
        ProcessEvents();
        CPage* page = nullptr;
        for (CPage* open : {window->m_pFilePage, window->m_pPortPage, window->m_pModbusPage,
                            window->m_pNomPage, window->m_pIecPage}) {
            page = open != nullptr ? open : page;
        }
        ASSERT_NE(page, nullptr);
        const QWidget* label = window->Controls().Find(tab);
        const QPoint below = window->mapToGlobal(QPoint(label->x(), window->Units().Y(23)));
        EXPECT_EQ(page->pos(), below);
        EXPECT_GT(below.y(), window->mapToGlobal(label->geometry().bottomLeft()).y());
        EXPECT_TRUE(page->isVisible());
        EXPECT_TRUE(page->isActiveWindow());
        page->ClosePage();
        EXPECT_EQ(window->m_pFilePage, nullptr);
        ProcessEvents();
    }
    EXPECT_EQ(window->m_pMainWnd, window.get());
}

TEST_F(Pages, APageClosesWhenTheFocusLeavesForAControlOfAnotherId) {
    Control<QWidget>(ctl::kStartButton)->setFocus();
    const QPointer<CRS485Dlg> page = Open<CRS485Dlg>(ctl::kPortTab);
    ASSERT_NE(page, nullptr);
    page->Controls().Find(ctl::port::kParityList)->setFocus();  // moving inside keeps it
    ProcessEvents();
    EXPECT_EQ(window->m_pPortPage, page);
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(window->m_pPortPage, nullptr);
    EXPECT_TRUE(page.isNull()) << "a closed page is gone once the event loop runs";
}

TEST_F(Pages, APageStaysWhenTheFocusGoesNowhereOrToAControlWithOneOfItsIds) {
    // The poll-period field shares its id with the Modbus page's ASCII button.
    static_assert(ctl::kPeriodEdit == ctl::modbus::kAsciiRadio);
    auto* modbus = Open<CModBusDlg>(ctl::kModbusTab);
    ASSERT_NE(modbus, nullptr);
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kPeriodEdit));
    EXPECT_EQ(window->m_pModbusPage, modbus);
    // The fields beside "ASDU" and "Время компьютера (GMT)" share the nominal page's ids.
    static_assert(ctl::kPcTimeField == ctl::nominal::kCurrentList);
    auto* nominal = Open<CNomDlg>(ctl::kNominalTab);
    ASSERT_NE(nominal, nullptr);
    EXPECT_EQ(window->m_pModbusPage, modbus) << "another page's tab leaves it alone";
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kPcTimeField));
    EXPECT_EQ(window->m_pNomPage, nominal);
    // Focus that goes to no window of this program (another application) keeps a page.
    ASSERT_NO_FATAL_FAILURE(Activate(nominal));
    nominal->Controls().Find(ctl::nominal::kVoltageList)->clearFocus();
    ProcessEvents();
    EXPECT_EQ(window->m_pNomPage, nominal);
}

TEST_F(Pages, AnOpenDropDownListKeepsItsPage) {
    const std::pair<int, int> lists[] = {{ctl::kPortTab, ctl::port::kBaudList},
                                         {ctl::kIecTab, ctl::iec::kAsduSizeList},
                                         {ctl::kNominalTab, ctl::nominal::kCurrentList}};
    for (const auto& [tab, id] : lists) {
        SCOPED_TRACE(tab);
        window->OpenTab(tab);
        ProcessEvents();
        CPage* page = nullptr;
        for (CPage* open : {window->m_pPortPage, window->m_pNomPage, window->m_pIecPage}) {
            page = open != nullptr ? open : page;
        }
        ASSERT_NE(page, nullptr);
        const QPointer<CPage> guard = page;
        ASSERT_NO_FATAL_FAILURE(Activate(page));
        auto* list = page->Controls().As<QComboBox>(id);
        list->setFocus();
        ProcessEvents();
        list->showPopup();
        ProcessEvents();
        ASSERT_FALSE(guard.isNull());
        EXPECT_FALSE(page->IsClosing()) << "the drop-down took the focus and closed the page";
        list->hidePopup();
        ProcessEvents();
        if (!guard.isNull()) {
            page->ClosePage();
        }
        ProcessEvents();
    }
}

// A press and its release with the events between them delivered, as a mouse on a desktop
// gives them: the repaint the press causes runs before the release.
void ClickWithEventsBetween(QWidget* widget) {
    const QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(middle);
    QMouseEvent press(QEvent::MouseButtonPress, middle, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    ProcessEvents();
    widget->window()->repaint();
    ProcessEvents();
    QMouseEvent release(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    ProcessEvents();
}

TEST_F(Pages, ModbusModeFollowsAMouseClickDespiteTheRepaints) {
    Dlg().m_b8Bit = TRUE;
    auto* page = Open<CModBusDlg>(ctl::kModbusTab);
    ASSERT_NE(page, nullptr);
    ASSERT_NO_FATAL_FAILURE(Activate(page));
    ClickWithEventsBetween(page->Controls().Find(ctl::modbus::kAsciiRadio));
    EXPECT_EQ(Dlg().m_b8Bit, FALSE);
    EXPECT_EQ(Dlg().m_strDataBits, "7");
    EXPECT_TRUE(page->m_pEditAddr->hasFocus()) << "the choice returns the focus to the address";
    // The keyboard reaches the buttons too and the focus stays where it was put.
    page->Controls().Find(ctl::modbus::kRtuRadio)->setFocus(Qt::TabFocusReason);
    page->repaint();
    ProcessEvents();
    EXPECT_TRUE(page->Controls().Find(ctl::modbus::kRtuRadio)->hasFocus());
    EXPECT_EQ(window->m_pModbusPage, page);
}

TEST_F(Pages, ASecondClickOnATabReplacesItsOpenPage) {
    const QPointer<CModBusDlg> first = Open<CModBusDlg>(ctl::kModbusTab);
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kPeriodEdit));
    ASSERT_EQ(window->m_pModbusPage, first);
    auto* second = Open<CModBusDlg>(ctl::kModbusTab);
    // Closed outside any event handler, the page is deleted once an event loop runs.
    EXPECT_TRUE(first.isNull() || (first->IsClosing() && !first->isVisible()));
    EXPECT_EQ(window->m_pModbusPage, second);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(Pages, EscapeAndEnterEndAPage) {
    const QPointer<CRS485Dlg> port = Open<CRS485Dlg>(ctl::kPortTab);
    PressKey(port->Controls().Find(ctl::port::kPortList), Qt::Key_Escape);
    EXPECT_EQ(window->m_pPortPage, nullptr);
    ProcessEvents();
    EXPECT_TRUE(port.isNull());

    // Ending runs the focus-loss handling, so Escape commits the Modbus address too.
    auto* modbus = Open<CModBusDlg>(ctl::kModbusTab);
    modbus->m_pEditAddr->setText(QStringLiteral("7"));
    PressKey(modbus->m_pEditAddr, Qt::Key_Escape);
    EXPECT_EQ(Dlg().m_nDevAddr, 7);
    EXPECT_EQ(window->m_pModbusPage, nullptr);

    modbus = Open<CModBusDlg>(ctl::kModbusTab);
    modbus->m_pEditAddr->setText(QStringLiteral("300"));
    PressKey(modbus->m_pEditAddr, Qt::Key_Return);
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{"Vantor 3: Enter an integer between 0 and 255."});
    EXPECT_EQ(window->m_pModbusPage, modbus) << "a failed commit keeps the page";
    modbus->m_pEditAddr->setText(QStringLiteral("9"));
    PressKey(modbus->m_pEditAddr, Qt::Key_Return);
    EXPECT_EQ(Dlg().m_nDevAddr, 9);
    EXPECT_EQ(window->m_pModbusPage, nullptr);
}

TEST_F(Pages, PortPageSwitchesPortsAndFallsBack) {
    FakeSerialDevice& com2 = fake.serial.Add(FakePaths::FakePortPath(2));
    const std::string com1Path = FakePaths::FakePortPath(1);
    auto* page = Open<CRS485Dlg>(ctl::kPortTab);
    EXPECT_EQ(Selected(page, ctl::port::kPortList), QStringLiteral("COM1"));
    EXPECT_EQ(Selected(page, ctl::port::kBaudList), QStringLiteral("9600"));
    EXPECT_EQ(Selected(page, ctl::port::kParityList), QStringLiteral("НЕТ"));
    EXPECT_EQ(Selected(page, ctl::port::kStopBitsList), QStringLiteral("2"));

    const std::size_t attempts = fake.serial.OpenAttempts().size();
    Choose(page, ctl::port::kPortList, QStringLiteral("COM1"));
    EXPECT_EQ(fake.serial.OpenAttempts().size(), attempts) << "the chosen port changes nothing";

    // COM3 cannot be opened: COM1 is closed, tried, and opened and configured again.
    com1->RefuseSettings(nullptr);
    const std::size_t settings = com1->SettingsRequests().size();
    Choose(page, ctl::port::kPortList, QStringLiteral("COM3"));
    EXPECT_EQ(Selected(page, ctl::port::kPortList), QStringLiteral("COM1"));
    EXPECT_EQ(Dlg().m_port.m_strPortName, "COM1");
    EXPECT_TRUE(fake.serial.IsOpen(com1Path));
    EXPECT_GT(com1->SettingsRequests().size(), settings);

    Choose(page, ctl::port::kPortList, QStringLiteral("COM2"));
    EXPECT_FALSE(fake.serial.IsOpen(com1Path));
    EXPECT_EQ(Dlg().m_port.m_strOpenPortName, "COM2");
    EXPECT_EQ(com2.Settings().baudRate, 9600u);

    Choose(page, ctl::port::kPortList, QStringLiteral("НЕТ"));
    EXPECT_FALSE(fake.serial.IsOpen(FakePaths::FakePortPath(2)));
    EXPECT_EQ(Dlg().m_port.m_strOpenPortName, "НЕТ");
    Choose(page, ctl::port::kParityList, QStringLiteral("ЧЕТ"));
    EXPECT_EQ(Dlg().m_strParity, "НЕТ") << "no port: the choice is not stored";
    Choose(page, ctl::port::kPortList, QStringLiteral("COM3"));
    EXPECT_EQ(Selected(page, ctl::port::kPortList), QStringLiteral("НЕТ"));
}

TEST_F(Pages, PortPageStoresLineSettingsAndRaisesThePollPeriod) {
    auto* page = Open<CRS485Dlg>(ctl::kPortTab);
    Choose(page, ctl::port::kParityList, QStringLiteral("ЧЕТ"));
    Choose(page, ctl::port::kStopBitsList, QStringLiteral("1"));
    EXPECT_EQ(Dlg().m_strParity, "ЧЕТ");
    EXPECT_EQ(Dlg().m_strStopBits, "1");
    EXPECT_EQ(com1->Settings().parity, Parity::Even);

    WithItems(30);
    Dlg().m_b8Bit = FALSE;
    Choose(page, ctl::port::kBaudList, QStringLiteral("1200"));
    EXPECT_EQ(Dlg().m_strBaud, "1200");
    EXPECT_EQ(Dlg().m_nMinPeriod, 1450u);
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("1450"));
    EXPECT_EQ(Text(ctl::kPeriodEdit), QStringLiteral("1450"));
    EXPECT_EQ(Dlg().m_nPeriod, 1450u);

    Dlg().m_b8Bit = TRUE;
    Choose(page, ctl::port::kBaudList, QStringLiteral("9600"));
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("150"));
    EXPECT_EQ(Dlg().m_nPeriod, 1450u) << "a longer period stays";

    // With no port the stored rate is used; with no rate at all nothing is recomputed.
    Choose(page, ctl::port::kPortList, QStringLiteral("НЕТ"));
    Dlg().m_b8Bit = FALSE;
    Choose(page, ctl::port::kBaudList, QStringLiteral("1200"));
    EXPECT_EQ(Dlg().m_strBaud, "9600");
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("250"));
    Dlg().m_strBaud.clear();
    Choose(page, ctl::port::kBaudList, QStringLiteral("4800"));
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("250"));
}

TEST_F(Pages, ModbusPageModeAddressAndSpin) {
    WithItems(30);
    Dlg().m_nPeriod = 100;
    auto* page = Open<CModBusDlg>(ctl::kModbusTab);
    EXPECT_TRUE(page->m_pEditAddr->hasFocus());
    EXPECT_EQ(page->m_pEditAddr->text(), QStringLiteral("1"));
    EXPECT_TRUE(page->Controls().As<QRadioButton>(ctl::modbus::kAsciiRadio)->isChecked());

    Click(page->Controls().Find(ctl::modbus::kAsciiRadio));
    EXPECT_EQ(Dlg().m_strDataBits, "7");
    EXPECT_EQ(Dlg().m_b8Bit, FALSE);
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("250"));
    EXPECT_EQ(Dlg().m_nPeriod, 250u);
    Click(page->Controls().Find(ctl::modbus::kRtuRadio));
    EXPECT_EQ(Dlg().m_strDataBits, "8");
    EXPECT_EQ(Dlg().m_b8Bit, TRUE);
    EXPECT_EQ(com1->Settings().dataBits, 8);
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("200"));
    EXPECT_EQ(Dlg().m_nPeriod, 250u);
    EXPECT_TRUE(page->m_pEditAddr->hasFocus());
    EXPECT_EQ(window->m_pModbusPage, page) << "moving to a radio button keeps the page";

    page->m_pEditAddr->setText(QStringLiteral("255"));
    page->m_spinAddr->StepUp();
    EXPECT_EQ(page->m_pEditAddr->text(), QStringLiteral("0"));
    page->m_spinAddr->StepDown();
    EXPECT_EQ(page->m_pEditAddr->text(), QStringLiteral("255"));
}

TEST_F(Pages, ModbusPageWithoutAPortStillChoosesItsFraming) {
    Dlg().m_port.Close();
    Dlg().m_port.m_strPortName = Dlg().m_port.m_strOpenPortName = "НЕТ";
    auto* page = Open<CModBusDlg>(ctl::kModbusTab);
    Click(page->Controls().Find(ctl::modbus::kRtuRadio));
    EXPECT_EQ(Dlg().m_strDataBits, "8");
    EXPECT_EQ(Dlg().m_b8Bit, TRUE);
    EXPECT_EQ(Text(ctl::kMinPeriodEdit), QStringLiteral("100"));
}

TEST_F(Pages, ModbusPageKeepsTheLowByteAndRefusesOtherNumbers) {
    Dlg().m_nDevAddr = 300;
    Control<QWidget>(ctl::kStartButton)->setFocus();
    auto* page = Open<CModBusDlg>(ctl::kModbusTab);
    EXPECT_EQ(page->m_pEditAddr->text(), QStringLiteral("44"));
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(Dlg().m_nDevAddr, 44);
    EXPECT_EQ(window->m_pModbusPage, nullptr);

    page = Open<CModBusDlg>(ctl::kModbusTab);
    page->m_pEditAddr->setText(QStringLiteral("256"));
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{"Vantor 3: Enter an integer between 0 and 255."});
    EXPECT_EQ(Dlg().m_nDevAddr, 44) << "the previous page value";
    EXPECT_EQ(window->m_pModbusPage, page);
    EXPECT_EQ(page->m_pEditAddr->selectedText(), QStringLiteral("256"));
}

TEST_F(Pages, IecPageWritesEverythingOnEveryFocusMove) {
    Control<QWidget>(ctl::kStartButton)->setFocus();
    auto* page = Open<IEC_Property>(ctl::kIecTab);
    EXPECT_EQ(Selected(page, ctl::iec::kAsduSizeList), QStringLiteral("1"));
    EXPECT_EQ(Selected(page, ctl::iec::kIoaSizeList), QStringLiteral("2"));
    EXPECT_EQ(Selected(page, ctl::iec::kCotSizeList), QStringLiteral("1"));
    auto* address = page->Controls().As<QLineEdit>(ctl::iec::kAddressEdit);
    EXPECT_TRUE(address->hasFocus());
    EXPECT_EQ(address->text(), QStringLiteral("1"));

    page->Controls().Find(ctl::iec::kIoaSizeList)->setFocus();
    Choose(page, ctl::iec::kIoaSizeList, QStringLiteral("3"));
    address->setFocus();
    EXPECT_EQ(Dlg().m_nIecIoaSize, 3);
    EXPECT_EQ(window->m_pIecPage, page);

    address->setText(QString::number(65536 + 1234));
    page->Controls().Find(ctl::iec::kAsduSizeList)->setFocus();
    EXPECT_EQ(Dlg().m_nDevAddr, 1234);

    address->setFocus();
    address->setText(QStringLiteral("abc"));
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Vantor 3: Enter a positive integer."});
    EXPECT_EQ(window->m_pIecPage, page);
    EXPECT_EQ(Dlg().m_nDevAddr, 1234);

    address->setText(QStringLiteral("5"));
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(window->m_pIecPage, nullptr);
    EXPECT_EQ(Dlg().m_nDevAddr, 5);
    EXPECT_EQ(Dlg().m_nIecAsduAddrSize, 1);
    EXPECT_EQ(Dlg().m_nIecCotSize, 1);
    EXPECT_EQ(Dlg().m_nIecFixedFrame, 16);
}

TEST_F(Pages, IecPageKeepsASizeItsListDoesNotHold) {
    Dlg().m_nIecCotSize = 5;
    Control<QWidget>(ctl::kStartButton)->setFocus();
    auto* page = Open<IEC_Property>(ctl::kIecTab);
    EXPECT_EQ(page->Controls().As<QComboBox>(ctl::iec::kCotSizeList)->currentIndex(), -1);
    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(Dlg().m_nIecCotSize, 5);
}

TEST_F(Pages, NominalPageRecomputesTheCoefficientsAndResetsTheValues) {
    struct Step {
        const char* list;
        int id;
        double kUph, kUl, kI, kPph, kP;
    };
    const Step steps[] = {
        {"380", ctl::nominal::kVoltageList, 0.0438786205, 0.076, 0.001, 0.2193931023, 0.6581793069},
        {"2.5", ctl::nominal::kCurrentList, 0.0438786205, 0.076, 0.0005, 0.1096965511,
         0.3290896534},
        {"100", ctl::nominal::kVoltageList, 0.0115470054, 0.02, 0.0005, 0.0288675135, 0.0866025404},
        {"0.5", ctl::nominal::kCurrentList, 0.0115470054, 0.02, 0.0001, 0.0057735027, 0.0173205081},
    };
    auto* page = Open<CNomDlg>(ctl::kNominalTab);
    EXPECT_EQ(Selected(page, ctl::nominal::kVoltageList), QStringLiteral("100"));
    EXPECT_EQ(Selected(page, ctl::nominal::kCurrentList), QStringLiteral("5.0"));
    for (const Step& s : steps) {
        SCOPED_TRACE(s.list);
        Dlg().m_raw.at(kRawUa) = 5000;
        Choose(page, s.id, QString::fromUtf8(s.list));
        EXPECT_NEAR(Dlg().m_kUph, s.kUph, 1e-10);
        EXPECT_NEAR(Dlg().m_kUl, s.kUl, 1e-10);
        EXPECT_NEAR(Dlg().m_kI, s.kI, 1e-10);
        EXPECT_NEAR(Dlg().m_kPph, s.kPph, 1e-10);
        EXPECT_NEAR(Dlg().m_kP, s.kP, 1e-10);
        EXPECT_EQ(Dlg().m_raw.at(kRawUa), 0);
        EXPECT_EQ(Text(ctl::kUaField), QStringLiteral("0"));
    }
    page->ClosePage();
    Dlg().m_dUnom = 380;
    Dlg().m_dInom = 2.5;
    page = Open<CNomDlg>(ctl::kNominalTab);
    EXPECT_EQ(Selected(page, ctl::nominal::kVoltageList), QStringLiteral("380"));
    EXPECT_EQ(Selected(page, ctl::nominal::kCurrentList), QStringLiteral("2.5"));
}

class FilePage : public Pages {
protected:
    COpenFile* OpenFilePage() {
        Control<QWidget>(ctl::kStartButton)->setFocus();
        return Open<COpenFile>(ctl::kFileTab);
    }
};

TEST_F(FilePage, CancelEmptiesTheDivisorsAndStillRebuildsTheCaption) {
    Dlg().m_saDivisors = {"1", "10"};
    OpenFilePage()->OnOpen();
    EXPECT_EQ(prompts.fileFilters, std::vector<QString>{QStringLiteral("*.dat")});
    EXPECT_TRUE(Dlg().m_saDivisors.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantor 3 VuRo ()"));
    EXPECT_EQ(Dlg().m_baActive, ByteArray(32, 0)) << "no items activate nothing";
    EXPECT_EQ(Dlg().m_bLoading, FALSE);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FilePage, LoadsAConfigurationAndNamesItInTheCaption) {
    auto* page = OpenFilePage();
    prompts.fileAnswers = {SamplePath("demo.dat"), SamplePath("demo-iec.dat")};
    page->OnOpen();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantor 3 VuRo (demo.dat)"));
    EXPECT_EQ(page->Controls().As<QLineEdit>(ctl::file::kFileNameEdit)->text(),
              QStringLiteral("demo.dat"));
    EXPECT_EQ(Dlg().m_nDevAddr, 5);
    EXPECT_EQ(Dlg().m_baActive.at(0), 1);
    EXPECT_EQ(Dlg().m_baActive.at(3), 0);  // Uo is not configured
    EXPECT_TRUE(Control<QRadioButton>(ctl::kModbusRadio)->isChecked());

    page->OnOpen();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantor 3 VuRo (demo-iec.dat)"));
    EXPECT_TRUE(Control<QRadioButton>(ctl::kIecRadio)->isChecked());

    ASSERT_NO_FATAL_FAILURE(FocusMain(ctl::kStartButton));
    EXPECT_EQ(window->m_pFilePage, nullptr);
    page = OpenFilePage();
    EXPECT_EQ(page->Controls().As<QLineEdit>(ctl::file::kFileNameEdit)->text(),
              QStringLiteral("demo-iec.dat"));
}

TEST_F(FilePage, StaysOpenWhileItsDialogRunsAndClosesOnAnyFocusLossAfter) {
    auto* page = OpenFilePage();
    auto* name = page->Controls().As<QLineEdit>(ctl::file::kFileNameEdit);
    EXPECT_TRUE(name->hasFocus());
    prompts.fileAnswers = {SamplePath("demo.dat")};
    prompts.whileFileDialogOpen = [&] {
        name->clearFocus();
        ProcessEvents();
    };
    page->OnOpen();
    EXPECT_EQ(window->m_pFilePage, page);
    name->setFocus();
    name->clearFocus();  // to another application: still a loss for this page
    EXPECT_EQ(window->m_pFilePage, nullptr);
}

TEST_F(FilePage, AFileThatCannotBeOpenedIsNamedButNotRead) {
    auto* page = OpenFilePage();
    prompts.fileAnswers = {QStringLiteral("/nonexistent/folder/missing.dat")};
    page->OnOpen();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Ой: Не могу создать файл "});
    EXPECT_EQ(prompts.messages.at(0).icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.messages.at(0).owner, page);
    EXPECT_EQ(Dlg().m_strConfigName, "missing.dat");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantor 3 VuRo (missing.dat)"));
    EXPECT_EQ(Dlg().m_bLoading, FALSE);
}

TEST_F(FilePage, AReaderFailureIsShownAndTheRestOfTheCommandSkipped) {
    QTemporaryDir folder;
    const QString truncated = folder.filePath(QStringLiteral("cut.dat"));
    QFile sample(SamplePath("demo.dat"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(sample.read(12));
    cut.close();

    auto* page = OpenFilePage();
    prompts.fileAnswers = {truncated};
    page->OnOpen();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{
                                   "Vantor 3: Attempted to access an unnamed file past its end."});
    EXPECT_EQ(prompts.messages.at(0).icon, MessageIcon::Error);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantor 3 VuRo"));
    EXPECT_EQ(page->Controls().As<QLineEdit>(ctl::file::kFileNameEdit)->text(), QString());
    EXPECT_EQ(Dlg().m_baActive, ByteArray(32, 1)) << "the flags are not refreshed";
    EXPECT_EQ(Dlg().m_bLoading, FALSE) << "the page closes on focus loss again";
}

}  // namespace
}  // namespace vantor::test
