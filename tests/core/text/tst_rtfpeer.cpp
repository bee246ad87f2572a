#include "text/cp1252.h"
#include "text/sequencetext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrl>

#include <memory>

// Our reader against LibreOffice, the peer that reads the same rich text:
// each fixture under fixtures/rtf/ is read as a sequence text and shown as
// plain text, which must be what LibreOffice made of it (the .txt beside it,
// or LibreOffice run now when it is installed).
namespace {

const QString fixtureFolder = QStringLiteral(QUORVANE_FIXTURES "/rtf/");
const QString peerFilter = QStringLiteral("txt:Text (encoded):UTF8");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fixture as a stored sequence text: its bytes read as Windows-1252, as
// the play files are.
QString storedText(const QString &name)
{
    return Cp1252::decode(contents(fixtureFolder + name));
}

QString ourText(const QString &stored)
{
    QTextDocument document;
    SequenceText::load(stored, document);
    return SequenceText::plain(document);
}

// LibreOffice's text export without its byte order mark and the line end of
// its last paragraph. It writes a list item as four blanks per level, its
// own label ("•", "◦", "1.") and a blank; SequenceText::plain writes "• "
// for every bulleted paragraph, so the labels become that.
QString peerText(const QByteArray &utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    if (text.endsWith(u'\n'))
        text.chop(1);
    static const QRegularExpression listLabel(QStringLiteral("^(?: {4})+\\S+ "),
                                              QRegularExpression::MultilineOption);
    return text.replace(listLabel, QStringLiteral("\u2022 "));
}

void addFixtureRows()
{
    QTest::addColumn<QString>("name");
    const QStringList names = QDir(fixtureFolder).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY(!names.isEmpty());
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

} // namespace

class TestRtfPeer : public QObject {
    Q_OBJECT

    // LibreOffice's text of every fixture, made once on first use.
    std::unique_ptr<QTemporaryDir> converted;

    void convertWithLibreOffice(const QString &soffice);

private Q_SLOTS:
    void readsAsLibreOfficeDoes_data() { addFixtureRows(); }
    void readsAsLibreOfficeDoes();
    void takeOverKeepsTheText_data() { addFixtureRows(); }
    void takeOverKeepsTheText();
    void readsAsLibreOfficeDoesNow_data() { addFixtureRows(); }
    void readsAsLibreOfficeDoesNow();
};

void TestRtfPeer::readsAsLibreOfficeDoes()
{
    QFETCH(QString, name);
    const QByteArray expected = contents(fixtureFolder + QFileInfo(name).completeBaseName() + QStringLiteral(".txt"));
    QVERIFY2(!expected.isEmpty(), "the fixture has no text of LibreOffice's beside it");
    QCOMPARE(ourText(storedText(name)), peerText(expected));
}

// Taken over, a text is stored as 7-bit rich text that shows the same text
// again, and a second take-over stores it identically.
void TestRtfPeer::takeOverKeepsTheText()
{
    QFETCH(QString, name);
    QTextDocument shown;
    SequenceText::load(storedText(name), shown);
    const QString stored = SequenceText::takeOver(shown);
    for (const QChar c : stored)
        QVERIFY2(c.unicode() < 0x80, qPrintable(stored));
    QTextDocument again;
    SequenceText::load(stored, again);
    QCOMPARE(SequenceText::plain(again), SequenceText::plain(shown));
    QCOMPARE(SequenceText::takeOver(again), stored);
}

void TestRtfPeer::readsAsLibreOfficeDoesNow()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: only the texts it made of the fixtures before, stored "
              "beside them, are compared; install libreoffice-writer-nogui to compare with it directly");
    if (!converted)
        convertWithLibreOffice(soffice);
    QVERIFY(converted);

    QFETCH(QString, name);
    const QString text = converted->filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".txt"));
    QVERIFY2(QFileInfo::exists(text), qPrintable(QStringLiteral("LibreOffice made no text of ") + name));
    QCOMPARE(ourText(storedText(name)), peerText(contents(text)));
}

void TestRtfPeer::convertWithLibreOffice(const QString &soffice)
{
    auto folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    QStringList arguments{
        // A profile of its own, so that a LibreOffice already running is
        // neither used nor disturbed.
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(folder->filePath(QStringLiteral("profile"))).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--convert-to"),
        peerFilter,
        QStringLiteral("--outdir"),
        folder->path(),
    };
    const QStringList names = QDir(fixtureFolder).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        arguments.append(fixtureFolder + name);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(soffice, arguments);
    QVERIFY2(process.waitForFinished(100000), "LibreOffice did not finish within 100 s");
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             process.readAll().constData());
    converted = std::move(folder);
}

QTEST_MAIN(TestRtfPeer)
#include "tst_rtfpeer.moc"
