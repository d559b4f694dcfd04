#include "fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes() {
    const QStringList gothic{QString("IPAPGothic"), QString("IPAGothic")};
    QFont::insertSubstitutions(QString("ＭＳ Ｐゴシック"), gothic);
}
