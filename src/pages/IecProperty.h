#pragma once

#include <cstdint>

#include "app/Page.h"

namespace vantor {

// The "МЭК-101" page: device (link) address and the sizes of three address fields. Every
// focus move writes all its values into the working state.
class IEC_Property : public CPage {
    Q_OBJECT
public:
    explicit IEC_Property(CMorvikWindow* main);

    std::uint32_t m_nAddr = 0;
    std::uint8_t m_nFixedFrame = 0;

    // The data exchange of the page, in its order.
    static const std::vector<Binding<IEC_Property>>& Bindings();

protected:
    bool UpdateData(bool saveAndValidate) override;
    void OnFocusLost(int id) override;
    void OnLeaving() override;

private:
    // Writes the page's values into the working state; false when a field did not read.
    bool Commit();
    // The size chosen in a list; a list without a selection keeps the stored size.
    void TakeSize(int listId, std::uint8_t& size) const;
};

}  // namespace vantor
