#include "platform/qt/font_for.h"

#include <QString>
#include <QStringList>

namespace brask {

QFont fontFor(const FontSpec& spec) {
  QFont font;
  font.setFamilies({QString::fromWCharArray(spec.face), QStringLiteral("Liberation Sans"),
                    QStringLiteral("sans-serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(spec.points);
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  return font;
}

}  // namespace brask
