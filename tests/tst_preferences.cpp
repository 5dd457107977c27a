// The preferences store against real files in a temporary configuration folder.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

#include "app/preferences_store.h"
#include "framework/message_box.h"
#include "support/unprivileged_run.h"
#include "support/watched_pipe.h"

namespace {

using Entries = QList<QPair<QString, QString>>;

const QString kFileName = QStringLiteral("Quillfern Preferences");
const QString kWriteFailed = QStringLiteral("Failed to write the preferences file.");
const QString kFileAccessError = QStringLiteral("Cannot access the preferences file.");

// The document element's child elements in order, each with its first child's text.
Entries EntriesIn(const QByteArray& bytes) {
  QDomDocument doc;
  if (!doc.setContent(bytes)) return {{QStringLiteral("<does not parse>"), QString()}};
  Entries entries;
  for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull();
       e = e.nextSiblingElement())
    entries.append({e.tagName(), e.firstChild().isText() ? e.firstChild().toText().data() : ""});
  return entries;
}

// n elements nested in one another.
QByteArray Tags(int n) { return QByteArray("<a>").repeated(n) + QByteArray("</a>").repeated(n); }

// A stored size beside elements nested so that the document is `levels` deep,
// with `innermost` inside the deepest.
QByteArray Nested(int levels, const QByteArray& innermost = {}) {
  const int inner = levels - 1;
  return "<root><VariantFontSize>45</VariantFontSize>" + QByteArray("<a>").repeated(inner) +
         innermost + QByteArray("</a>").repeated(inner) + "</root>";
}

// Permission bits as the file system holds them, whoever runs the test.
mode_t ModeOf(const QString& path) {
  struct stat status {};
  if (stat(QFile::encodeName(path).constData(), &status) != 0) return 0;
  return status.st_mode & 07777;
}

}  // namespace

class PreferencesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QStringList messages_;
  QStringList details_;  // the detail shown with each message ("" for none)

  QString FilePath() const { return dir_->filePath(kFileName); }
  QByteArray FileBytes() const {
    QFile file(FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void PutFile(const QByteArray& bytes) { PutFileAt(FilePath(), bytes); }
  static void PutFileAt(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
  }

 private slots:
  void initTestCase() {
    fw::SetDetailedMessageHandler([this](const QString& text, const QString& detail) {
      messages_.append(text);
      details_.append(detail);
    });
  }
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_->path()));
    messages_.clear();
    details_.clear();
  }
  void cleanup() {
    // Undo permission changes so the temporary folder can be removed.
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(FilePath(), QFile::ReadOwner | QFile::WriteOwner);
    dir_.reset();
  }

  // First calls on a system that has no preferences file yet, or an empty one,
  // which holds nothing to keep. Each call is "read:Key" or "write:Key=Value".
  void firstCalls_data() {
    QTest::addColumn<bool>("emptyFileBefore");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("readResults");
    QTest::addColumn<Entries>("entries");
    const Entries defaults{{"MainFontSize", "12"}};
    for (const bool emptyFile : {false, true}) {
      const auto row = [emptyFile](const char* name) -> QTestData& {
        return QTest::addRow("%s: %s", emptyFile ? "empty file" : "no file", name) << emptyFile;
      };
      row("read other key") << QStringList{"read:VariantFontSize"} << QStringList{""} << defaults;
      row("read MainFontSize") << QStringList{"read:MainFontSize"} << QStringList{""} << defaults;
      row("write other key") << QStringList{"write:VariantFontSize=45"} << QStringList{}
                             << Entries{{"MainFontSize", "45"}, {"VariantFontSize", "45"}};
      row("write MainFontSize") << QStringList{"write:MainFontSize=45"} << QStringList{}
                                << Entries{{"MainFontSize", "45"}};
      row("read then write") << QStringList{"read:VariantFontSize", "write:VariantFontSize=45",
                                            "read:VariantFontSize"}
                             << QStringList{"", "45"}
                             << Entries{{"MainFontSize", "12"}, {"VariantFontSize", "45"}};
    }
  }
  void firstCalls() {
    QFETCH(bool, emptyFileBefore);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, readResults);
    QFETCH(Entries, entries);
    if (emptyFileBefore) PutFile({});
    QStringList results;
    for (const QString& call : calls) {
      const QString what = call.section(u':', 1);
      if (call.startsWith(u"read:"))
        results.append(PreferencesStore::ReadPreferences(what));
      else
        PreferencesStore::WritePreferences(what.section(u'=', 0, 0), what.section(u'=', 1));
    }
    QCOMPARE(results, readResults);
    QCOMPARE(EntriesIn(FileBytes()), entries);
    QCOMPARE(messages_, QStringList());
  }

  // Reading and then writing one key in an existing file.
  void existingFile_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("valueBefore");
    QTest::addColumn<Entries>("entriesAfter");
    QTest::newRow("two entries of the key: last read, both written")
        << QByteArray("<root><K>first</K><X>x</X><K>second</K></root>") << "K"
        << "second" << Entries{{"K", "new"}, {"X", "x"}, {"K", "new"}};
    QTest::newRow("key absent: appended last")
        << QByteArray("<root><B>2</B><A>1</A></root>") << "C"
        << "" << Entries{{"B", "2"}, {"A", "1"}, {"C", "new"}};
    QTest::newRow("empty root") << QByteArray("<root/>") << "K"
                                << "" << Entries{{"K", "new"}};
    QTest::newRow("entry without child") << QByteArray("<root><K/></root>") << "K"
                                         << "" << Entries{{"K", "new"}};
    QTest::newRow("entry starting with a comment")
        << QByteArray("<root><K><!--note-->old</K></root>") << "K"
        << "" << Entries{{"K", "new"}};
    QTest::newRow("entry starting with an element")
        << QByteArray("<root><K><sub/>old</K></root>") << "K"
        << "" << Entries{{"K", "new"}};
    QTest::newRow("whitespace-only value kept")
        << QByteArray("<root><K><![CDATA[  ]]></K></root>") << "K"
        << "  " << Entries{{"K", "new"}};
    QTest::newRow("names are case-sensitive") << QByteArray("<root><k>lower</k></root>") << "K"
                                              << "" << Entries{{"k", "lower"}, {"K", "new"}};
    QTest::newRow("only direct children count")
        << QByteArray("<root><G><K>inner</K></G></root>") << "K"
        << "" << Entries{{"G", ""}, {"K", "new"}};
    QTest::newRow("other document element name") << QByteArray("<prefs><K>v</K></prefs>") << "K"
                                                 << "v" << Entries{{"K", "new"}};
    QTest::newRow("prefixed key") << QByteArray("<root><a:K>v</a:K></root>") << "a:K"
                                  << "v" << Entries{{"a:K", "new"}};
    QTest::newRow("non-ASCII key and text")
        << QByteArray("<root><字体>宋体</字体><Ü>ä</Ü></root>") << "字体"
        << "宋体" << Entries{{"字体", "new"}, {"Ü", "ä"}};
  }
  void existingFile() {
    QFETCH(QByteArray, document);
    QFETCH(QString, key);
    QFETCH(QString, valueBefore);
    QFETCH(Entries, entriesAfter);
    PutFile(document);
    QCOMPARE(PreferencesStore::ReadPreferences(key), valueBefore);
    PreferencesStore::WritePreferences(key, "new");
    QCOMPARE(EntriesIn(FileBytes()), entriesAfter);
    QCOMPARE(PreferencesStore::ReadPreferences(key), QStringLiteral("new"));
    QCOMPARE(messages_, QStringList());
  }

  void valuesReadBackUnchanged_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("markup") << "<b class=\"x\">&amp;</b>";
    QTest::newRow("ampersand") << "a & b; &#65;";
    QTest::newRow("quotes") << "\"double\" 'single'";
    QTest::newRow("CDATA end") << "x]]>y<![CDATA[z";
    QTest::newRow("only CDATA end") << "]]>";
    QTest::newRow("padding") << "  padded\t ";
    QTest::newRow("only spaces") << "   ";
    QTest::newRow("lines") << "one\ntwo\r\nthree\r";
    QTest::newRow("CJK and beyond the BMP") << QString::fromUtf8("漢字 \xF0\xA0\x80\x80 é");
    QTest::newRow("empty") << "";
  }
  void valuesReadBackUnchanged() {
    QFETCH(QString, value);
    PutFile("<root><MainFontSize>12</MainFontSize></root>");
    PreferencesStore::WritePreferences("Value", value);
    QCOMPARE(PreferencesStore::ReadPreferences("Value"), value);
    QCOMPARE(PreferencesStore::ReadPreferences("MainFontSize"), QStringLiteral("12"));
    // And through a newly made file.
    QVERIFY(QFile::remove(FilePath()));
    PreferencesStore::WritePreferences("Value", value);
    QCOMPARE(PreferencesStore::ReadPreferences("Value"), value);
    QCOMPARE(messages_, QStringList());
  }

  void otherNodesKept() {
    const QByteArray document =
        "<?xml version=\"1.0\"?>\n<!-- before -->\n<?app hint?>\n"
        "<root version=\"3\"><!-- inside --><A lang=\"zh\">1</A>loose text<?pi data?>"
        "<K note=\"n\">old<!-- tail --></K><B>2</B></root>\n<!-- after -->\n";
    PutFile(document);
    PreferencesStore::WritePreferences("K", "new");
    const QByteArray once = FileBytes();
    QDomDocument doc;
    QVERIFY(doc.setContent(once));
    const QDomElement root = doc.documentElement();
    QCOMPARE(root.attribute("version"), QStringLiteral("3"));
    QCOMPARE(root.firstChildElement("A").attribute("lang"), QStringLiteral("zh"));
    QCOMPARE(root.firstChildElement("K").attribute("note"), QStringLiteral("n"));
    QCOMPARE(root.firstChildElement("K").lastChild().toComment().data(), QStringLiteral(" tail "));
    QCOMPARE(EntriesIn(once), (Entries{{"A", "1"}, {"K", "new"}, {"B", "2"}}));
    QStringList kinds;
    for (QDomNode n = doc.firstChild(); !n.isNull(); n = n.nextSibling()) kinds << n.nodeName();
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) kinds << n.nodeName();
    QCOMPARE(kinds, (QStringList{"xml", "#comment", "app", "root", "#comment", "#comment", "A",
                                 "#text", "pi", "K", "B"}));
    // Writing the same again changes nothing: the format is stable.
    PreferencesStore::WritePreferences("K", "new");
    QCOMPARE(FileBytes(), once);
  }

  void otherEncodingRewrittenAsUtf8() {
    PutFile("<?xml version='1.0' encoding='ISO-8859-1'?><root><A>caf\xE9</A></root>");
    PreferencesStore::WritePreferences("K", "v");
    QVERIFY(FileBytes().contains("encoding=\"UTF-8\""));
    QCOMPARE(PreferencesStore::ReadPreferences("A"), QStringLiteral("café"));
    QCOMPARE(PreferencesStore::ReadPreferences("K"), QStringLiteral("v"));
  }

  void corruptFileUntouched_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::newRow("not XML") << QByteArray("MainFontSize=12\n");
    QTest::newRow("truncated") << QByteArray("<root><MainFontSize>12</MainFo");
    QTest::newRow("only white space") << QByteArray(" \n\t\n");
    QTest::newRow("no document element") << QByteArray("<?xml version=\"1.0\"?><!-- none -->");
    QTest::newRow("two document elements") << QByteArray("<root/><root/>");
    QTest::newRow("binary") << QByteArray("\x00\xFF\xFE<\x01root>", 10);
  }
  void corruptFileUntouched() {
    QFETCH(QByteArray, document);
    PutFile(document);
    QCOMPARE(PreferencesStore::ReadPreferences("MainFontSize"), QString());
    QCOMPARE(messages_, QStringList());
    PreferencesStore::WritePreferences("MainFontSize", "14");
    QCOMPARE(messages_, QStringList{kWriteFailed});
    QCOMPARE(FileBytes(), document);
    // The user is told which file to correct or remove.
    QVERIFY2(details_[0].contains(FilePath()), qPrintable(details_[0]));
    QVERIFY2(details_[0].contains(QStringLiteral("remove")), qPrintable(details_[0]));
  }

  // Nesting far deeper than any preferences document needs is refused like a
  // document that does not parse: QtXml recurses through the levels and
  // would overflow the stack when it writes them back.
  void deepNesting_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("255 levels") << Nested(255) << true;
    QTest::newRow("256 levels") << Nested(256) << false;
    QTest::newRow("257 levels") << Nested(257) << false;
    QTest::newRow("5,000 levels") << Nested(5000) << false;
    QTest::newRow("100,000 levels") << Nested(100000) << false;
    QTest::newRow("tags in a comment") << Nested(2, "<!--" + Tags(300) + "-->") << true;
    QTest::newRow("tags in CDATA") << Nested(2, "<![CDATA[" + Tags(300) + "]]>") << true;
    QTest::newRow("tags in an attribute")
        << Nested(2, "<b t=\"" + Tags(300).replace('<', "&lt;") + "\"/>") << true;
    QTest::newRow("levels from an entity")
        << "<!DOCTYPE root [<!ENTITY deep \"" + Tags(300) +
               "\">]><root><VariantFontSize>45</VariantFontSize>&deep;</root>"
        << false;
  }
  void deepNesting() {
    QFETCH(QByteArray, document);
    QFETCH(bool, accepted);
    PutFile(document);
    QCOMPARE(PreferencesStore::ReadPreferences("VariantFontSize"),
             accepted ? QStringLiteral("45") : QString());
    PreferencesStore::WritePreferences("VariantFontSize", "46");
    if (!accepted) {
      QCOMPARE(messages_, QStringList{kWriteFailed});
      QVERIFY2(details_[0].contains(FilePath()), qPrintable(details_[0]));
      QCOMPARE(FileBytes(), document);
      return;
    }
    QCOMPARE(messages_, QStringList());
    const QByteArray written = FileBytes();
    QCOMPARE(PreferencesStore::ReadPreferences("VariantFontSize"), QStringLiteral("46"));
    QCOMPARE(written.count("<a"), document.count("<a"));
    // Indentation grows with the depth, but never swamps the content.
    QVERIFY2(written.size() <= 2 * document.size(), written.left(200).constData());
    PreferencesStore::WritePreferences("VariantFontSize", "46");
    QCOMPARE(FileBytes(), written);
  }

  // The file keeps the permissions it was given: a rewrite must not open it
  // to others or close it to its group.
  void permissionsKept_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<uint>("mode");
    const QByteArray document = "<root><MainFontSize>12</MainFontSize></root>";
    QTest::newRow("owner only") << document << 0600u;
    QTest::newRow("group may read") << document << 0640u;
    QTest::newRow("others may read, group not") << document << 0604u;
    QTest::newRow("empty file, owner only") << QByteArray() << 0600u;
  }
  void permissionsKept() {
    QFETCH(QByteArray, document);
    QFETCH(uint, mode);
    PutFile(document);
    QCOMPARE(chmod(QFile::encodeName(FilePath()).constData(), mode), 0);
    PreferencesStore::WritePreferences("VariantFontSize", "45");
    QCOMPARE(PreferencesStore::ReadPreferences("VariantFontSize"), QStringLiteral("45"));
    QCOMPARE(ModeOf(FilePath()), mode_t(mode));
    QCOMPARE(messages_, QStringList());
  }

  // A preferences file kept elsewhere (a folder of dot files under version
  // control) and linked in stays linked: the target gets the new content.
  void symbolicLinkKept_data() {
    QTest::addColumn<bool>("absoluteLink");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<QByteArray>("targetBefore");
    QTest::addColumn<Entries>("entriesAfter");
    const QByteArray document = "<root><MainFontSize>12</MainFontSize></root>";
    const Entries updated{{"MainFontSize", "12"}, {"VariantFontSize", "45"}};
    const Entries made{{"MainFontSize", "45"}, {"VariantFontSize", "45"}};
    QTest::newRow("absolute link") << true << true << document << updated;
    QTest::newRow("relative link") << false << true << document << updated;
    QTest::newRow("link to an empty file") << false << true << QByteArray() << made;
    QTest::newRow("link to a missing file") << true << false << QByteArray() << made;
  }
  void symbolicLinkKept() {
    QFETCH(bool, absoluteLink);
    QFETCH(bool, targetExists);
    QFETCH(QByteArray, targetBefore);
    QFETCH(Entries, entriesAfter);
    QVERIFY(QDir(dir_->path()).mkdir("dotfiles"));
    const QString relativeTarget = QStringLiteral("dotfiles/prefs.xml");
    const QString target = dir_->filePath(relativeTarget);
    if (targetExists) PutFileAt(target, targetBefore);
    const QByteArray linkText = QFile::encodeName(absoluteLink ? target : relativeTarget);
    QCOMPARE(symlink(linkText.constData(), QFile::encodeName(FilePath()).constData()), 0);

    PreferencesStore::WritePreferences("VariantFontSize", "45");
    QCOMPARE(messages_, QStringList());
    char stored[4096] = {};
    QVERIFY(readlink(QFile::encodeName(FilePath()).constData(), stored, sizeof stored - 1) > 0);
    QCOMPARE(QByteArray(stored), linkText);
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(EntriesIn(written.readAll()), entriesAfter);
  }

  // Keys that are not element names and values XML cannot carry unchanged.
  void unstorableRefused_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("empty key") << ""
                               << "v";
    QTest::newRow("leading digit") << "1st"
                                   << "v";
    QTest::newRow("space") << "a b"
                           << "v";
    QTest::newRow("markup in key") << "a/><b"
                                   << "v";
    QTest::newRow("attribute in key") << "a x='1'"
                                      << "v";
    QTest::newRow("ampersand") << "a&b"
                               << "v";
    QTest::newRow("leading colon") << ":a"
                                   << "v";
    QTest::newRow("two colons") << "a:b:c"
                                << "v";
    QTest::newRow("lone surrogate key") << QString(QChar(0xD800)) << "";
    QTest::newRow("control character") << "K"
                                       << "a\x01z";
    QTest::newRow("null character") << "K" << QString(QChar(0));
    QTest::newRow("lone surrogate value") << "K" << QString(QChar(0xDC00));
    QTest::newRow("not a character") << "K" << QString(QChar(0xFFFE));
    QTest::newRow("white space with a return") << "K"
                                               << " \r ";
  }
  void unstorableRefused() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    // Without a file, nothing is made.
    PreferencesStore::WritePreferences(key, value);
    QCOMPARE(messages_, QStringList{kWriteFailed});
    QVERIFY(!QFile::exists(FilePath()));
    // With one, it stays as it was.
    const QByteArray document = "<root><MainFontSize>12</MainFontSize></root>";
    PutFile(document);
    PreferencesStore::WritePreferences(key, value);
    QCOMPARE(FileBytes(), document);
    QCOMPARE(PreferencesStore::ReadPreferences(key), QString());
    QCOMPARE(messages_.size(), 2);
  }

  void missingFolderIsMade() {
    const QString nested = dir_->filePath("a/b/config");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(nested));
    QCOMPARE(PreferencesStore::ReadPreferences("MainFontSize"), QString());
    QVERIFY(QFile::exists(nested + '/' + kFileName));
    QCOMPARE(PreferencesStore::ReadPreferences("MainFontSize"), QStringLiteral("12"));
    QVERIFY(QDir(nested).removeRecursively());
    PreferencesStore::WritePreferences("K", "v");
    QCOMPARE(PreferencesStore::ReadPreferences("K"), QStringLiteral("v"));
    QCOMPARE(messages_, QStringList());
  }

  void folderCannotBeMade() {
    PutFile("not a folder");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FilePath() + "/config"));
    QCOMPARE(PreferencesStore::ReadPreferences("MainFontSize"), QString());
    PreferencesStore::WritePreferences("MainFontSize", "14");
    QCOMPARE(messages_, (QStringList{"An error occured when reading preferences: Cannot access "
                                     "the Preferences folder",
                                     "Cannot access the Preferences folder."}));
    QCOMPARE(FileBytes(), QByteArray("not a folder"));
  }

  // What stands in the file's place is no file: it cannot be accessed, and it
  // stays what it is. A named pipe must not be opened in a way that waits for
  // a writer, or start-up would hang.
  void fileThatIsNotAFile_data() {
    QTest::addColumn<bool>("pipe");  // else a folder
    QTest::addColumn<bool>("linked");
    QTest::newRow("folder") << false << false;
    QTest::newRow("named pipe") << true << false;
    QTest::newRow("link to a named pipe") << true << true;
  }
  void fileThatIsNotAFile() {
    QFETCH(bool, pipe);
    QFETCH(bool, linked);
    const QString target = linked ? dir_->filePath("elsewhere") : FilePath();
    std::optional<WatchedPipe> watched;
    if (pipe) {
      watched.emplace(target);
      QVERIFY(watched->Made());
    } else {
      QVERIFY(QDir().mkdir(target));
    }
    if (linked) QCOMPARE(symlink("elsewhere", QFile::encodeName(FilePath()).constData()), 0);

    QCOMPARE(PreferencesStore::ReadPreferences("MainFontSize"), QString());
    PreferencesStore::WritePreferences("MainFontSize", "14");
    QCOMPARE(messages_, QStringList{kFileAccessError});
    if (pipe) {
      QVERIFY(!watched->ReaderWasStuck());
      QVERIFY(WatchedPipe::IsPipe(FilePath()));
    } else {
      QVERIFY(QFileInfo(FilePath()).isDir());
      QVERIFY(QDir(FilePath()).isEmpty());
    }
    QCOMPARE(QFileInfo(FilePath()).isSymLink(), linked);
  }

  // The two permission tests run as an unprivileged user when the suite runs
  // as root; each returns the read's result or the details after the messages.
  void readOnlyFile() {
    const QByteArray document = "<root><MainFontSize>12</MainFontSize></root>";
    PutFile(document);
    QVERIFY(QFile::setPermissions(FilePath(), QFile::ReadOwner | QFile::ReadGroup));
    const std::optional<QStringList> shown = RunUnprivileged(dir_->path(), [this] {
      const QString read = PreferencesStore::ReadPreferences("MainFontSize");
      PreferencesStore::WritePreferences("MainFontSize", "14");
      return QStringList{read} + messages_;
    });
    QVERIFY(shown);
    QCOMPARE(*shown, (QStringList{"12", kFileAccessError}));
    QCOMPARE(FileBytes(), document);
  }

  // In a folder that takes no new file, an empty file cannot be made anew any
  // more than a missing one, and the message says so alike: it is no broken
  // document the user should correct.
  void emptyOrMissingFileInReadOnlyFolder_data() {
    QTest::addColumn<bool>("empty");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
  }
  void emptyOrMissingFileInReadOnlyFolder() {
    QFETCH(bool, empty);
    if (empty) PutFile({});
    QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::ExeOwner));
    const std::optional<QStringList> shown = RunUnprivileged(dir_->path(), [this] {
      PreferencesStore::WritePreferences("VariantFontSize", "45");
      return messages_ + details_;
    });
    QVERIFY(shown);
    QCOMPARE(*shown, (QStringList{kFileAccessError, QString()}));  // no detail
    QCOMPARE(QFileInfo::exists(FilePath()), empty);
  }

  void failedReplaceKeepsOldFile() {
    const QByteArray document = "<root><MainFontSize>12</MainFontSize></root>";
    PutFile(document);
    QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::ExeOwner));
    const std::optional<QStringList> shown = RunUnprivileged(dir_->path(), [this] {
      PreferencesStore::WritePreferences("MainFontSize", "14");
      return messages_ + details_;
    });
    QVERIFY(shown);
    QCOMPARE(shown->size(), 2);
    QCOMPARE(shown->at(0), kWriteFailed);
    QVERIFY2(shown->at(1).contains(FilePath()), qPrintable(shown->at(1)));
    QCOMPARE(FileBytes(), document);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{kFileName});
  }

  // A file-size limit makes every write fail as a full disk would, even for root.
  void fullDiskKeepsOldFile() {
    const QByteArray document = "<root><MainFontSize>12</MainFontSize></root>";
    PutFile(document);
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    PreferencesStore::WritePreferences("VariantFontSize", "a value long enough to pass the limit");
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    QCOMPARE(messages_, QStringList{kWriteFailed});
    QVERIFY2(details_[0].contains(FilePath()), qPrintable(details_[0]));
    QCOMPARE(FileBytes(), document);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{kFileName});
  }
};

QTEST_GUILESS_MAIN(PreferencesTest)
#include "tst_preferences.moc"
