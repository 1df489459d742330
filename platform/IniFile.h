#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace varnell {

// An INI text kept line by line, so that a change rewrites only the line it
// concerns and everything else (comments, blank lines, other sections, line
// endings, a byte-order mark) survives byte for byte.
//
// Reading: section names and keys compare case-insensitively, surrounding
// blanks ignored; lines starting with ';' or '#' are comments; a value is the
// text after the first '=' without surrounding blanks and without one pair of
// enclosing quotes. When a key appears more than once, the first one counts.
class IniFile {
 public:
  static IniFile Parse(const QByteArray& utf8);
  QByteArray Serialize() const;

  std::optional<QString> Value(const QString& section, const QString& key) const;

  // Replaces the key's line in place, written "key=value" with the caller's
  // spelling of the key, or adds it after the last key of the section, or adds
  // the section at the end. Values that would not read back unchanged
  // (surrounding blanks, enclosing quotes) are written quoted. Returns false,
  // changing nothing, for texts that cannot be stored in a line: line breaks
  // anywhere, an empty or '='-holding key, an empty or ']'-holding section.
  bool SetValue(const QString& section, const QString& key, const QString& value);

 private:
  static std::optional<QString> SectionNameOf(const QString& line);
  static std::optional<QString> KeyOf(const QString& line);
  static QString ValueOf(const QString& line);
  static QString EncodeValue(const QString& value);

  // -1 when missing.
  qsizetype FindKeyLine(const QString& section, const QString& key) const;
  qsizetype FindSectionHeader(const QString& section) const;
  void InsertLine(qsizetype index, const QString& text);

  std::vector<QString> lines_;  // without '\n'; a CRLF file's lines keep their '\r'
  bool endsWithNewline_ = false;
  bool crlf_ = false;
  bool byteOrderMark_ = false;
};

// The stand-ins for the Windows profile functions, on files in UTF-8.
//
// Reading takes no lock: writers replace the file by renaming a complete new
// one over it, so a reader sees either the old or the new file. nullopt when
// the file or the key is missing, or when what is under the name is not a
// regular file of at most 64 KiB (a FIFO, a device, a link to one, a file far
// too big for a store): the read neither waits nor grows without bound.
std::optional<QString> ReadProfileString(const QString& iniPath, const QString& section,
                                         const QString& key);

// Read-modify-write under a lock file ("<iniPath>.lock", removed afterwards),
// so that copies of the program running side by side never lose each other's
// changes, then an atomic replace (a temporary file created exclusively in the
// same folder, renamed over the store). False, leaving the file as it was,
// when the folder does not exist (nothing is created), the lock is not
// obtained within a few seconds, the store or the lock's name is a symbolic
// link or anything but a readable regular file, or the new file cannot be
// written. Nothing is ever written through a link.
bool WriteProfileString(const QString& iniPath, const QString& section, const QString& key,
                        const QString& value);

}  // namespace varnell
