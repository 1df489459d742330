#include "platform/FileDialogs.h"

namespace varnell {

QString QtFilterFromMfcFilter(const QString& mfcFilter) {
  const QStringList parts = mfcFilter.split(QLatin1Char('|'));
  QStringList qtFilters;
  // Pairs until the first empty display text: the "||" terminator, or the
  // empty piece after the final "|".
  for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      if (trimmed.isEmpty()) continue;
      patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    qtFilters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                     QLatin1Char(')');
  }
  return qtFilters.join(QStringLiteral(";;"));
}

}  // namespace varnell
