#include "common/qt/WindowFonts.h"

namespace morvane {

QFont windowFont()
{
    QFont f(QString::fromLatin1(kSubstituteFamily));
    f.setPointSizeF(8.0);
    return f;
}

QFont arialFont(double pointSize, bool bold)
{
    QFont f(QString::fromLatin1(kSubstituteFamily));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QString::fromLatin1(kSubstituteFamily));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QString::fromLatin1(kSubstituteFamily));
}

}  // namespace morvane
