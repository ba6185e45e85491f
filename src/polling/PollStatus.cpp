#include "polling/PollStatus.h"

namespace vantor {

const char* PollStatusMessage(std::uint8_t status) {
    switch (status) {
        case 1:
            return "Ошибка при приеме стартового байта";
        case 2:
            return "Ошибка при приеме стопового байта";
        case 3:
            return "Ошибка контрольной суммы";
        case 4:
            return "Буфер обмена пуст";
        case 5:
            return "Пришла отрицательная квитанция";
        case 44:
            return "Неизвестный идентификатор типа";
        case 45:
            return "Неизвестная причина передачи";
        case 47:
            return "Неизвестный адрес объекта информации";
        case 101:
            return "Принятый код функции не может быть обработан на подчиненном";
        case 102:
            return "Адрес данных указанный в запросе не доступен данному подчиненному";
        case 103:
            return "Величина содержащаяся в поле данных запроса является не допустимой "
                   "величиной для подчиненного";
        case 104:
            return "Подчиненный не отвечает";
        default:
            return "Ошибка";
    }
}

}  // namespace vantor
