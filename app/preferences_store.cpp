#include "app/preferences_store.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

#include "framework/folders.h"
#include "framework/message_box.h"

namespace {

constexpr char kFileName[] = "Quillfern Preferences";
constexpr char kRootName[] = "root";
constexpr char kMainFontSizeKey[] = "MainFontSize";
constexpr char kDefaultMainFontSize[] = "12";
constexpr int kIndent = 2;

constexpr char kReadFolderError[] =
    "An error occured when reading preferences: Cannot access the Preferences folder";
constexpr char kWriteFolderError[] = "Cannot access the Preferences folder.";
constexpr char kFileAccessError[] = "Cannot access the preferences file.";
constexpr char kWriteFailed[] = "Failed to write the preferences file.";

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

std::optional<QDomDocument> Parse(const QByteArray& document) {
  QDomDocument doc;
  if (!doc.setContent(document) || doc.documentElement().isNull()) return std::nullopt;
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

QByteArray Serialised(QDomDocument& doc) {
  DeclareUtf8(doc);
  return doc.toByteArray(kIndent);
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // commit() alone misses a write cut short by a full disk (the engine reports
  // the partial count without an error), so check the flush ourselves.
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

std::optional<QByteArray> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

bool CanReadAndWrite(const QString& path) {
  QFile file(path);
  // ExistingOnly: this test must never be what creates the file.
  if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return false;
  file.close();
  return true;
}

// The preferences folder, made when missing; empty when there is none.
QString FolderMadeIfMissing() {
  const QString folder = fw::PreferencesFolder();
  if (QFileInfo(folder).isDir()) return folder;
  return fw::CreatePreferencesFolder();
}

QString PreferencesFile(const QString& folder) { return folder + u'/' + QLatin1String(kFileName); }

}  // namespace

QString PreferencesStore::ReadPreferences(const QString& key) {
  const QString folder = FolderMadeIfMissing();
  if (folder.isEmpty()) {
    fw::MsgBox(QString::fromUtf8(kReadFolderError));
    return {};
  }
  const QString path = PreferencesFile(folder);
  if (!QFileInfo::exists(path)) {
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
  if (!QFileInfo::exists(path)) WriteWholeFile(path, InitialDocument(value));
  if (!CanReadAndWrite(path)) {
    fw::MsgBox(QString::fromUtf8(kFileAccessError));
    return;
  }
  const std::optional<QByteArray> bytes = ReadWholeFile(path);
  const std::optional<QByteArray> updated = bytes ? Updated(*bytes, key, value) : std::nullopt;
  if (!updated || !WriteWholeFile(path, *updated)) fw::MsgBox(QString::fromUtf8(kWriteFailed));
}

std::optional<QString> PreferencesStore::ValueIn(const QByteArray& document, const QString& key) {
  const std::optional<QDomDocument> doc = Parse(document);
  if (!doc) return std::nullopt;
  return LastEntry(*doc, key).value;
}

std::optional<QByteArray> PreferencesStore::Updated(const QByteArray& document, const QString& key,
                                                    const QString& value) {
  if (!IsElementName(key)) return std::nullopt;
  std::optional<QDomDocument> doc = Parse(document);
  if (!doc) return std::nullopt;

  QDomElement root = doc->documentElement();
  bool found = false;
  for (QDomNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
    if (!child.isElement() || child.nodeName() != key) continue;
    found = true;
    const QDomNode first = child.firstChild();
    if (first.isText())
      child.replaceChild(ValueNode(*doc, value), first);
    else
      child.insertBefore(ValueNode(*doc, value), first);
  }
  if (!found) {
    QDomElement entry = doc->createElement(key);
    entry.appendChild(ValueNode(*doc, value));
    root.appendChild(entry);
  }

  QByteArray bytes = Serialised(*doc);
  // Characters XML cannot carry (control codes, lone surrogates, white space
  // with carriage returns) would come back changed or leave a file that no
  // longer parses: such a value is refused rather than stored.
  const std::optional<QDomDocument> check = Parse(bytes);
  if (!check) return std::nullopt;
  const Entry stored = LastEntry(*check, key);
  if (!stored.found || stored.value != value) return std::nullopt;
  return bytes;
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
