#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/MainBindings.h"
#include "app/TemplateBuilder.h"
#include "app/UpDownControl.h"
#include "pages/IecProperty.h"
#include "pages/ModBusDlg.h"
#include "pages/OpenFile.h"
#include "res/Templates.h"

namespace vantor::test {
namespace {

// Whether the data exchange moves a value of this kind through `control`.
bool Fits(Exchange kind, QWidget* control) {
    switch (kind) {
        case Exchange::Control:
            return qobject_cast<QComboBox*>(control) != nullptr ||
                   qobject_cast<UpDownControl*>(control) != nullptr;
        case Exchange::Text:
            return qobject_cast<QLineEdit*>(control) != nullptr ||
                   qobject_cast<QLabel*>(control) != nullptr;
        case Exchange::Unsigned:
        case Exchange::Byte:
            return qobject_cast<QLineEdit*>(control) != nullptr;
        case Exchange::Check: {
            auto* button = qobject_cast<QAbstractButton*>(control);
            return button != nullptr && button->isCheckable() &&
                   qobject_cast<QRadioButton*>(control) == nullptr;
        }
        case Exchange::Radio:
            return qobject_cast<QRadioButton*>(control) != nullptr;
    }
    return false;
}

struct BoundControl {
    Exchange kind;
    int id;
};

template <typename Owner>
std::vector<BoundControl> BoundControls(const std::vector<Binding<Owner>>& table) {
    std::vector<BoundControl> bound;
    for (const Binding<Owner>& entry : table) {
        for (int id : entry.ids) {
            bound.push_back({entry.kind, id});
        }
    }
    return bound;
}

struct BindingTable {
    const char* name;
    const res::DialogTemplate& dialog;
    std::vector<BoundControl> controls;
};

TEST(BindingTables, EveryIdIsInItsTemplateAsAWidgetOfItsKind) {
    const std::vector<BindingTable> tables = {
        {"main dialog", res::MainTemplate(), BoundControls(MainBindings())},
        {"file page", res::FilePageTemplate(), BoundControls(COpenFile::Bindings())},
        {"Modbus page", res::ModbusPageTemplate(), BoundControls(CModBusDlg::Bindings())},
        {"IEC page", res::IecPageTemplate(), BoundControls(IEC_Property::Bindings())},
    };
    for (const BindingTable& table : tables) {
        SCOPED_TRACE(table.name);
        QWidget dialog;
        const ControlMap built =
            TemplateBuilder(DialogUnits(6, 13), DialogFont()).Build(table.dialog, &dialog);
        for (const BoundControl& bound : table.controls) {
            QWidget* control = built.Find(bound.id);
            ASSERT_NE(control, nullptr) << "no control " << bound.id;
            EXPECT_TRUE(Fits(bound.kind, control))
                << bound.id << " is a " << control->metaObject()->className();
        }
    }
}

struct Owner {
    std::string text;
    std::uint32_t number = 0;
    int state = 0;
};

TEST(DataExchange, AnIdItsDialogLacksFailsLoudlyBothWays) {
    QWidget dialog;
    ControlMap controls;
    controls.Add(1, new QLineEdit(&dialog));
    const DataExchange exchange(controls, nullptr);
    Owner owner;
    const std::vector<std::vector<Binding<Owner>>> tables = {
        {BindControl<Owner>(2)},
        {BindText(2, &Owner::text)},
        {BindUnsigned(2, &Owner::number)},
        {BindCheck(2, &Owner::state)},
        {BindRadio({1, 2}, &Owner::state)},
    };
    for (const auto& table : tables) {
        for (const bool save : {true, false}) {
            EXPECT_THROW(exchange.Run(owner, table, save), std::logic_error)
                << static_cast<int>(table.front().kind) << (save ? " save" : " show");
        }
    }
}

}  // namespace
}  // namespace vantor::test
