#include "app/Caption.h"

namespace vantor {

QString CaptionWithFile(const QString& caption, const QString& fileName) {
    QString kept = caption;
    const qsizetype parenthesis = caption.indexOf(QLatin1Char('('));
    if (parenthesis >= 1) {
        kept = caption.left(parenthesis - 1);
    }
    return kept + QStringLiteral(" (") + fileName + QLatin1Char(')');
}

}  // namespace vantor
