#include "text/linereader.h"
#include "text/linewriter.h"
#include "text/plaintextrtf.h"
#include "text/textroutines.h"

#include <QBuffer>
#include <QTest>

namespace {

QStringList readLines(QByteArray bytes, qsizetype limit = LineReader::DefaultMaxLineBytes, bool *damaged = nullptr)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LineReader reader(buffer, limit);
    QStringList lines;
    while (reader.next())
        lines.append(reader.line());
    if (damaged)
        *damaged = reader.damaged();
    return lines;
}

} // namespace

// Lines of the program's text files, and the small text routines the file
// readers use.
class TestTextRoutines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList({"a", "b"});
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList({"a", "b"});
        QTest::newRow("lone CR stays") << QByteArray("a\rb\r\n") << QStringList({"a\rb"});
        QTest::newRow("no end on the last line") << QByteArray("a\r\nb") << QStringList({"a", "b"});
        QTest::newRow("empty lines") << QByteArray("\r\n\n\r\n") << QStringList({"", "", ""});
        QTest::newRow("Windows-1252") << QByteArray("\x80 \xe9\r\n") << QStringList({QStringLiteral("\u20ac \u00e9")});
    }

    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(readLines(bytes), lines);
    }

    void linesLongerThanTheChunk()
    {
        const QByteArray longLine(200 * 1024, 'x');
        const QStringList lines = readLines(longLine + "\r\nend\r\n" + longLine);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].size(), longLine.size());
        QCOMPARE(lines[1], QStringLiteral("end"));
        QCOMPARE(lines[2].size(), longLine.size());
    }

    void tooLongLineStops()
    {
        bool damaged = false;
        QCOMPARE(readLines("short\r\n" + QByteArray(5000, 'x') + "\r\nafter\r\n", 4096, &damaged),
                 QStringList({"short"}));
        QVERIFY(damaged);
        QCOMPARE(readLines("short\r\n" + QByteArray(4096, 'x'), 4096, &damaged).size(), 2);
        QVERIFY(!damaged);
    }

    void writerEndsLinesWithCrLf()
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        LineWriter writer(buffer);
        writer.write(u"caf\u00e9 \u20ac");
        writer.write(u"");
        writer.write(u"\u4e00");
        QVERIFY(writer.finish());
        QCOMPARE(bytes, QByteArray("caf\xe9 \x80\r\n\r\n?\r\n"));
    }

    void writerReportsAFailedDevice()
    {
        QBuffer buffer;
        buffer.open(QIODevice::ReadOnly);
        LineWriter writer(buffer);
        writer.write(u"x");
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
        QVERIFY(!writer.finish());
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("one") << "a" << QStringList({"a"});
        QTest::newRow("break at the end") << "a\r\n" << QStringList({"a"});
        QTest::newRow("empty line") << "\r\n" << QStringList({""});
        QTest::newRow("every kind") << QStringLiteral("a\r\nb\rc\nd\u2029e\u2028f") << QStringList({"a", "b", "c", "d", "e", "f"});
        QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList({"a", "", "b"});
    }

    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(::splitLines(text), lines);
    }

    void removeEnter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("plain") << "abc\r\n\r\n" << "abc";
        QTest::newRow("lone LF kept") << "abc\n" << "abc\n";
        QTest::newRow("blanks before the brace") << "{x   }\r\n" << "{x }";
        QTest::newRow("empty paragraphs") << "{x\\par\r\n\\par\r\n\\par }\r\n" << "{x\\par\r\n\\par}";
        QTest::newRow("rich edit end") << "{x\\par\r\n}\r\n" << "{x\\par\r\n}";
        QTest::newRow("empty") << "" << "";
    }

    void removeEnter()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QCOMPARE(remove_enter(text), result);
    }

    void plainTextAsRichText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("body");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("lines") << "one\r\ntwo" << "one\\par\r\ntwo\\par\r\n";
        QTest::newRow("empty lines") << "\r\n\r\n" << "\\par\r\n\\par\r\n";
        QTest::newRow("escapes") << "{a}\\b" << "\\{a\\}\\\\b\\par\r\n";
        QTest::newRow("tab") << "a\tb" << "a\\tab b\\par\r\n";
        QTest::newRow("code page") << QStringLiteral("caf\u00e9 \u20ac") << "caf\\'e9 \\'80\\par\r\n";
        QTest::newRow("outside the code page") << QStringLiteral("\u4e00") << "\\u19968?\\par\r\n";
    }

    void plainTextAsRichText()
    {
        QFETCH(QString, text);
        QFETCH(QString, body);
        QCOMPARE(plainTextToRtf(text),
                 QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                                "\\viewkind4\\uc1\\pard\\f0\\fs20 ")
                     + body + u'}');
    }
};

QTEST_GUILESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
