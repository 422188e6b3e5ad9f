#include "platform/qt/font_for.h"

#include <QString>
#include <QStringList>

namespace brask {

QFont fontFor(const FontSpec& row) {
  QFont font;
  font.setFamilies({QString::fromWCharArray(row.face), QStringLiteral("Liberation Sans"),
                    QStringLiteral("sans-serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(row.points);
  font.setWeight(static_cast<QFont::Weight>(row.weight));
  return font;
}

}  // namespace brask
