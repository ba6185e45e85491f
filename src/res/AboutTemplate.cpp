#include "res/Templates.h"

namespace vantor::res {

const DialogTemplate& AboutTemplate() {
    using K = ControlKind;
    static const DialogTemplate dialog{
        kAboutTemplateId,
        "About Vantor 3",
        235,
        55,
        {
            {kNoId, K::Icon, "", {11, 17, 21, 20}, kPlain, {}},
            {kNoId, K::Text, "Vantor 3 Version 1.1", {40, 10, 119, 8}, kPlain, {}},
            {kNoId, K::Text, "Опрос преобразователя по линии RS-485", {40, 25, 188, 8}, kPlain, {}},
            {1, K::DefaultButton, "OK", {178, 7, 50, 14}, kGroup, {}},
        }};
    return dialog;
}

}  // namespace vantor::res
