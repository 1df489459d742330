#include "platform/IniFile.h"

#include <QStringList>

namespace varnell {
namespace {

const QByteArray kUtf8ByteOrderMark("\xEF\xBB\xBF");

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool HasLineBreak(const QString& text) {
  return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool IsQuoted(const QString& text) {
  return text.size() >= 2 &&
         (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\'')) &&
         text.back() == text.front();
}

}  // namespace

IniFile IniFile::Parse(const QByteArray& utf8) {
  IniFile ini;
  QByteArray bytes = utf8;
  if (bytes.startsWith(kUtf8ByteOrderMark)) {
    ini.byteOrderMark_ = true;
    bytes.remove(0, kUtf8ByteOrderMark.size());
  }
  if (bytes.isEmpty()) return ini;
  const QString text = QString::fromUtf8(bytes);
  ini.crlf_ = text.contains(QLatin1String("\r\n"));
  const QStringList lines = text.split(QLatin1Char('\n'));
  ini.lines_.assign(lines.begin(), lines.end());
  // "a\nb\n" splits into "a", "b", "": the last piece is the final newline, not a line.
  if (ini.lines_.back().isEmpty()) {
    ini.lines_.pop_back();
    ini.endsWithNewline_ = true;
  }
  return ini;
}

QByteArray IniFile::Serialize() const {
  QString text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += lines_[i];
  }
  if (endsWithNewline_) text += QLatin1Char('\n');
  QByteArray bytes = byteOrderMark_ ? kUtf8ByteOrderMark : QByteArray();
  return bytes + text.toUtf8();
}

std::optional<QString> IniFile::SectionNameOf(const QString& line) {
  const QString trimmed = line.trimmed();
  if (!trimmed.startsWith(QLatin1Char('['))) return std::nullopt;
  const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
  if (close < 0) return std::nullopt;
  return trimmed.mid(1, close - 1).trimmed();
}

std::optional<QString> IniFile::KeyOf(const QString& line) {
  const QString trimmed = line.trimmed();
  if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')) ||
      trimmed.startsWith(QLatin1Char('['))) {
    return std::nullopt;
  }
  const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
  if (equals <= 0) return std::nullopt;
  return trimmed.left(equals).trimmed();
}

QString IniFile::ValueOf(const QString& line) {
  const QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
  return IsQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

QString IniFile::EncodeValue(const QString& value) {
  if (value != value.trimmed() || IsQuoted(value))
    return QLatin1Char('"') + value + QLatin1Char('"');
  return value;
}

qsizetype IniFile::FindKeyLine(const QString& section, const QString& key) const {
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const std::optional<QString> name = SectionNameOf(lines_[i])) {
      inSection = SameName(*name, section);
    } else if (inSection) {
      const std::optional<QString> lineKey = KeyOf(lines_[i]);
      if (lineKey && SameName(*lineKey, key)) return static_cast<qsizetype>(i);
    }
  }
  return -1;
}

qsizetype IniFile::FindSectionHeader(const QString& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::optional<QString> name = SectionNameOf(lines_[i]);
    if (name && SameName(*name, section)) return static_cast<qsizetype>(i);
  }
  return -1;
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const {
  const qsizetype line = FindKeyLine(section, key);
  if (line < 0) return std::nullopt;
  return ValueOf(lines_[static_cast<std::size_t>(line)]);
}

void IniFile::InsertLine(qsizetype index, const QString& text) {
  const QString line = crlf_ ? text + QLatin1Char('\r') : text;
  // A line added after the last one needs the line break the old last line
  // may have lacked, and gets one of its own.
  if (index == static_cast<qsizetype>(lines_.size())) endsWithNewline_ = true;
  lines_.insert(lines_.begin() + index, line);
}

bool IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
  const QString trimmedSection = section.trimmed();
  const QString trimmedKey = key.trimmed();
  if (trimmedSection.isEmpty() || trimmedSection.contains(QLatin1Char(']')) ||
      HasLineBreak(section))
    return false;
  if (trimmedKey.isEmpty() || trimmedKey.contains(QLatin1Char('=')) || HasLineBreak(key))
    return false;
  if (trimmedKey.startsWith(QLatin1Char(';')) || trimmedKey.startsWith(QLatin1Char('#')) ||
      trimmedKey.startsWith(QLatin1Char('['))) {
    return false;
  }
  if (HasLineBreak(value)) return false;

  const QString keyLine = trimmedKey + QLatin1Char('=') + EncodeValue(value);
  const qsizetype existing = FindKeyLine(trimmedSection, trimmedKey);
  if (existing >= 0) {
    QString& line = lines_[static_cast<std::size_t>(existing)];
    line = line.endsWith(QLatin1Char('\r')) ? keyLine + QLatin1Char('\r') : keyLine;
    return true;
  }

  const qsizetype header = FindSectionHeader(trimmedSection);
  if (header < 0) {
    InsertLine(static_cast<qsizetype>(lines_.size()),
               QLatin1Char('[') + trimmedSection + QLatin1Char(']'));
    InsertLine(static_cast<qsizetype>(lines_.size()), keyLine);
    return true;
  }
  // After the section's last key, so that blank lines and comments that lead
  // into the next section stay in front of it.
  qsizetype insertAt = header + 1;
  for (qsizetype i = header + 1; i < static_cast<qsizetype>(lines_.size()); ++i) {
    const QString& line = lines_[static_cast<std::size_t>(i)];
    if (SectionNameOf(line)) break;
    if (KeyOf(line)) insertAt = i + 1;
  }
  InsertLine(insertAt, keyLine);
  return true;
}

}  // namespace varnell
