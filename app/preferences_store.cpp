#include "app/preferences_store.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <algorithm>

#include "framework/folders.h"
#include "framework/message_box.h"
#include "framework/regular_file.h"

namespace {

constexpr char kFileName[] = "Quillfern Preferences";
constexpr char kRootName[] = "root";
constexpr char kMainFontSizeKey[] = "MainFontSize";
constexpr char kDefaultMainFontSize[] = "12";
constexpr int kIndent = 2;
// Far deeper than any preferences document nests. QtXml builds, copies and
// writes its tree by recursion, so a much deeper file would overflow the stack
// on a save, and its parse time grows faster than the file.
constexpr int kDepthLimit = 256;
// Indentation may at most double the written file.
constexpr int kMaxIndentGrowth = 2;

constexpr char kReadFolderError[] =
    "An error occured when reading preferences: Cannot access the Preferences folder";
constexpr char kWriteFolderError[] = "Cannot access the Preferences folder.";
constexpr char kFileAccessError[] = "Cannot access the preferences file.";
constexpr char kWriteFailed[] = "Failed to write the preferences file.";
// Shown under kWriteFailed, so the user knows which file and what to do;
// the reason follows on a line of its own.
constexpr char kUnparsedDetail[] =
    "The file \"%1\" is not a valid preferences document and was left as it is. Correct it or "
    "remove it so that preferences can be saved again.\n\n%2";
constexpr char kNotSavedDetail[] = "The file \"%1\" could not be saved.\n\n%2";

bool IsNameStartChar(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0xC0 && c <= 0xD6) ||
         (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
         (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// An XML name without colons.
bool IsLocalName(QStringView part) {
  if (part.isEmpty()) return false;
  const QList<uint> codes = part.toUcs4();
  if (!IsNameStartChar(codes.front())) return false;
  for (const uint c : codes)
    if (!IsNameChar(c)) return false;
  return true;
}

// The parser insists on qualified names (at most one colon, inside the name)
// even without namespace processing, so a key must be one to be stored.
bool IsElementName(const QString& key) {
  if (!key.isValidUtf16()) return false;
  const QList<QStringView> parts = QStringView(key).split(u':');
  if (parts.size() > 2) return false;
  for (const QStringView part : parts)
    if (!IsLocalName(part)) return false;
  return true;
}

bool IsXmlSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// The parser drops text made only of white space, so such a value goes into
// a CDATA section, which it keeps.
QDomText ValueNode(QDomDocument& doc, const QString& value) {
  const bool onlySpace = !value.isEmpty() && std::all_of(value.begin(), value.end(), IsXmlSpace);
  if (onlySpace) return doc.createCDATASection(value);
  return doc.createTextNode(value);
}

// Whether elements nest kDepthLimit levels deep. Reads with the tokenizer
// QtXml parses with, set up as it is, so entities, CDATA, comments and the DTD
// count as they will there; stops at the limit, so even a huge file costs
// only its first levels.
bool NestedTooDeep(const QByteArray& document) {
  QXmlStreamReader reader(document);
  reader.setNamespaceProcessing(false);
  int depth = 0;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement && ++depth >= kDepthLimit) return true;
    if (token == QXmlStreamReader::EndElement) --depth;
  }
  return false;
}

// The parsed document, or nullopt with what is wrong in *problem when asked.
std::optional<QDomDocument> Parse(const QByteArray& document, QString* problem = nullptr) {
  if (NestedTooDeep(document)) {
    if (problem)
      *problem = QStringLiteral("Its elements are nested %1 levels deep or more.").arg(kDepthLimit);
    return std::nullopt;
  }
  QDomDocument doc;
  QString message;
  int line = 0;
  int column = 0;
  if (!doc.setContent(document, &message, &line, &column)) {
    if (problem)
      *problem = QStringLiteral("Line %1, column %2: %3").arg(line).arg(column).arg(message);
    return std::nullopt;
  }
  if (doc.documentElement().isNull()) {
    if (problem) *problem = QStringLiteral("The document has no root element.");
    return std::nullopt;
  }
  return doc;
}

struct Entry {
  bool found = false;
  QString value;
};

// The last entry of key among the document element's children.
Entry LastEntry(const QDomDocument& doc, const QString& key) {
  Entry entry;
  for (QDomNode child = doc.documentElement().firstChild(); !child.isNull();
       child = child.nextSibling()) {
    if (!child.isElement() || child.nodeName() != key) continue;
    entry.found = true;
    const QDomNode first = child.firstChild();
    entry.value = first.isText() ? first.toText().data() : QString();
  }
  return entry;
}

// The bytes are always UTF-8, so a declaration naming another encoding would
// garble every non-ASCII character at the next read.
void DeclareUtf8(QDomDocument& doc) {
  QDomNode first = doc.firstChild();
  if (!first.isProcessingInstruction() || first.nodeName() != QLatin1String("xml")) return;
  static const QRegularExpression encoding(QStringLiteral(R"(encoding\s*=\s*("[^"]*"|'[^']*'))"));
  QDomProcessingInstruction declaration = first.toProcessingInstruction();
  QString data = declaration.data();
  data.replace(encoding, QStringLiteral("encoding=\"UTF-8\""));
  declaration.setData(data);
}

// Indented for people who edit the file, unless the indentation would
// dwarf the content: each level adds kIndent spaces to every line below it.
QByteArray Serialised(QDomDocument& doc) {
  DeclareUtf8(doc);
  QByteArray indented = doc.toByteArray(kIndent);
  QByteArray lines = doc.toByteArray(0);
  return indented.size() <= kMaxIndentGrowth * lines.size() ? indented : lines;
}

// QSaveFile writes through a symbolic link to its target and gives the new file
// the old one's permissions, so a linked or protected file stays as the user set it.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  // commit() alone misses a write cut short by a full disk (the engine reports
  // the partial count without an error), so check the flush ourselves.
  if (written && (file.write(bytes) != bytes.size() || !file.flush())) {
    written = false;
    // The engine keeps no reason for a short write (errno is gone by then),
    // and its usual cause is a full disk or quota.
    if (error) *error = QStringLiteral("Only part of it could be written; the disk may be full.");
    file.cancelWriting();
  } else if (written) {
    written = file.commit();
    if (!written && error) *error = file.errorString();
  } else if (error) {
    *error = file.errorString();
  }
  return written;
}

// Only a regular file is read: a named pipe would hold up start-up for good.
std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error = nullptr) {
  QFile file(path);
  if (!fw::OpenRegularFile(file, QIODevice::ReadOnly, error)) return std::nullopt;
  return file.readAll();
}

// A file of no bytes holds nothing to lose: a full disk or an interrupted
// editor leaves one behind, and it is made anew like a missing file. Any
// content at all, even white space, is the user's and is kept.
bool IsMissingOrEmpty(const QString& path) {
  const QFileInfo info(path);
  return !info.exists() || (info.isFile() && info.size() == 0);
}

// Never creates the file. Anything but a regular file fails, so that a save
// cannot put a file in the place of a pipe or a folder.
bool CanReadAndWrite(const QString& path) {
  QFile file(path);
  return fw::OpenRegularFile(file, QIODevice::ReadWrite);
}

// The preferences folder, made when missing; empty when there is none.
QString FolderMadeIfMissing() {
  const QString folder = fw::PreferencesFolder();
  if (QFileInfo(folder).isDir()) return folder;
  return fw::CreatePreferencesFolder();
}

QString PreferencesFile(const QString& folder) { return folder + u'/' + QLatin1String(kFileName); }

// The document with every entry of key set to value, or a new entry appended
// when there is none, serialised; nullopt when key/value cannot be stored so
// that they read back unchanged.
std::optional<QByteArray> Update(QDomDocument& doc, const QString& key, const QString& value) {
  if (!IsElementName(key)) return std::nullopt;
  QDomElement root = doc.documentElement();
  bool found = false;
  for (QDomNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
    if (!child.isElement() || child.nodeName() != key) continue;
    found = true;
    const QDomNode first = child.firstChild();
    if (first.isText())
      child.replaceChild(ValueNode(doc, value), first);
    else
      child.insertBefore(ValueNode(doc, value), first);
  }
  if (!found) {
    QDomElement entry = doc.createElement(key);
    entry.appendChild(ValueNode(doc, value));
    root.appendChild(entry);
  }

  QByteArray bytes = Serialised(doc);
  // Characters XML cannot carry (control codes, lone surrogates, white space
  // with carriage returns) would come back changed or leave a file that no
  // longer parses: such a value is refused rather than stored.
  const std::optional<QDomDocument> check = Parse(bytes);
  if (!check) return std::nullopt;
  const Entry stored = LastEntry(*check, key);
  if (!stored.found || stored.value != value) return std::nullopt;
  return bytes;
}

void ShowWriteFailed(const char* detail, const QString& path, const QString& why) {
  fw::MsgBox(QString::fromUtf8(kWriteFailed),
             QString::fromUtf8(detail).arg(QDir::toNativeSeparators(path), why));
}

}  // namespace

QString PreferencesStore::ReadPreferences(const QString& key) {
  const QString folder = FolderMadeIfMissing();
  if (folder.isEmpty()) {
    fw::MsgBox(QString::fromUtf8(kReadFolderError));
    return {};
  }
  const QString path = PreferencesFile(folder);
  if (IsMissingOrEmpty(path)) {
    WriteWholeFile(path, InitialDocument(QString::fromLatin1(kDefaultMainFontSize)));
    return {};
  }
  const std::optional<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) return {};
  return ValueIn(*bytes, key).value_or(QString());
}

void PreferencesStore::WritePreferences(const QString& key, const QString& value) {
  const QString folder = FolderMadeIfMissing();
  if (folder.isEmpty()) {
    fw::MsgBox(QString::fromUtf8(kWriteFolderError));
    return;
  }
  // Refuse what cannot be stored before anything, even a new file, is made.
  if (!Updated(InitialDocument(QString::fromLatin1(kDefaultMainFontSize)), key, value)) {
    fw::MsgBox(QString::fromUtf8(kWriteFailed));
    return;
  }
  const QString path = PreferencesFile(folder);
  // A file that cannot be made anew cannot be used, missing or empty alike.
  if ((IsMissingOrEmpty(path) && !WriteWholeFile(path, InitialDocument(value))) ||
      !CanReadAndWrite(path)) {
    fw::MsgBox(QString::fromUtf8(kFileAccessError));
    return;
  }
  QString problem;
  const std::optional<QByteArray> bytes = ReadWholeFile(path, &problem);
  if (!bytes) {
    ShowWriteFailed(kNotSavedDetail, path, problem);
    return;
  }
  // A file that does not parse is never replaced: it may be the user's own
  // edit with a slip in it, and everything in it would be lost.
  std::optional<QDomDocument> doc = Parse(*bytes, &problem);
  if (!doc) {
    ShowWriteFailed(kUnparsedDetail, path, problem);
    return;
  }
  const std::optional<QByteArray> updated = Update(*doc, key, value);
  if (!updated) {
    fw::MsgBox(QString::fromUtf8(kWriteFailed));
    return;
  }
  if (!WriteWholeFile(path, *updated, &problem)) ShowWriteFailed(kNotSavedDetail, path, problem);
}

std::optional<QString> PreferencesStore::ValueIn(const QByteArray& document, const QString& key) {
  const std::optional<QDomDocument> doc = Parse(document);
  if (!doc) return std::nullopt;
  return LastEntry(*doc, key).value;
}

std::optional<QByteArray> PreferencesStore::Updated(const QByteArray& document, const QString& key,
                                                    const QString& value) {
  std::optional<QDomDocument> doc = Parse(document);
  if (!doc) return std::nullopt;
  return Update(*doc, key, value);
}

QByteArray PreferencesStore::InitialDocument(const QString& mainFontSize) {
  QDomDocument doc;
  doc.appendChild(doc.createProcessingInstruction(
      QStringLiteral("xml"), QStringLiteral(R"(version="1.0" encoding="UTF-8")")));
  QDomElement root = doc.createElement(QLatin1String(kRootName));
  doc.appendChild(root);
  QDomElement entry = doc.createElement(QLatin1String(kMainFontSizeKey));
  entry.appendChild(ValueNode(doc, mainFontSize));
  root.appendChild(entry);
  return Serialised(doc);
}
