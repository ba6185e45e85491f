#include "support/WorkingStateFixture.h"

#include "config/Protocol.h"
#include "text/Quantities.h"

namespace vantor::test {

void WorkingStateFixture::Tick() {
    fake.clock.Advance(dlg.m_nPeriod);
    dlg.OnTimer(kPollTimer);
}

void WorkingStateFixture::UseModbusRtu() {
    dlg.ApplySerialSettings(kSettings9600N82);
    dlg.m_nProtocol = kModbusProtocol;
    dlg.m_nProtoTag = kModbusProtoTag;
}

void WorkingStateFixture::UseModbusAscii() {
    dlg.ApplySerialSettings(kSettings9600N72);
    dlg.m_nProtocol = kModbusProtocol;
    dlg.m_nProtoTag = kModbusProtoTag;
}

void WorkingStateFixture::UseIec(int mode) {
    dlg.ApplySerialSettings(kSettings9600N82);
    dlg.m_nProtocol = kIecProtocol;
    dlg.m_nProtoTag = kIecProtoTag;
    dlg.m_nIecMode = mode;
}

void WorkingStateFixture::SetItems(const std::vector<ItemRow>& items) {
    dlg.m_saItems.clear();
    for (const ItemRow& item : items) {
        dlg.m_saItems.insert(dlg.m_saItems.end(), {item.name, item.address, item.size});
    }
}

void WorkingStateFixture::SetPresent(std::initializer_list<std::size_t> quantities) {
    dlg.m_baActive.assign(kQuantityKeys.size(), 0);
    for (const std::size_t q : quantities) {
        dlg.m_baActive.at(q) = 1;
    }
}

}  // namespace vantor::test
