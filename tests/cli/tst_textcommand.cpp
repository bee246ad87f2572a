#include "clirunner.h"
#include "playfixture.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QString fixturePath(const char *name)
{
    return QStringLiteral(QUORVANE_FIXTURES "/plays/") + QLatin1String(name);
}

// A play file of one sequence without parts whose text is the given lines.
QByteArray playWithText(const QByteArray &text)
{
    return "Version  = Quorvane 0.5\r\nIntro    = \r\nType     = Drill\r\nCategory = C\r\n"
           "Playname = P\r\nNr_seq   = 1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n\r\n\r\n\r\n\r\n"
           "No\r\nText     = \r\n"
           + text + "\r\nFocus    = \r\nNr_parts = 0\r\n";
}

} // namespace

// quorvane-cli text: a sequence text as plain lines, or as the rich text
// the program stores once the text has been taken over from its editor.
class TestTextCommand : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private Q_SLOTS:
    void plain_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines");
        const QString texts = fixturePath("v07_texts.dat");
        const auto sequence = [&](const char *n) { return QStringList{"text", texts, "--sequence", n}; };
        QTest::newRow("runs, accents and a letter beyond the code page")
            << sequence("1") << QStringList{"Swim fast then pass to the \u00e9quipe in \u0141\u00f3d\u017a"};
        QTest::newRow("bullets switched off, trailing empty paragraphs")
            << sequence("2") << QStringList{"Drill steps:", "\u2022 Swim", "\u2022 Pass", "Back to the wall"};
        QTest::newRow("plain text of an older play")
            << sequence("3") << QStringList{"Two lines", "of plain text, caf\u00e9"};
        QTest::newRow("last bullet emptied") << sequence("4") << QStringList{"\u2022 Swim", "\u2022 Pass"};
        QTest::newRow("no text") << sequence("5") << QStringList{QString()};
        QTest::newRow("format named, options first")
            << QStringList{"text", "--format", "plain", "--sequence", "1", fixturePath("v07_full.dat")}
            << QStringList{"Swim to the \u00e9 post"};
        QTest::newRow("exchange file")
            << QStringList{"text", fixturePath("record_v07.qvb"), "--sequence", "1"} << QStringList{"seven"};
    }

    void plain()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        const CliResult result = runCli(arguments);
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QCOMPARE(result.text(), lines.join(u'\n') + u'\n');
    }

    // The stored shape other routines search for, and stable: taking the
    // output over once more gives the same bytes. The last paragraph comes
    // straight before the closing mark: trailing empty paragraphs and bullet
    // residue are gone.
    void rtf_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<QByteArrayList>("fragments");
        const QString texts = fixturePath("v07_texts.dat");
        QTest::newRow("runs and accents")
            << texts << "1"
            << QByteArrayList{"\\b fast\\b0", "\\i pass\\i0", "\\'e9quipe in \\u321?\\'f3d\\u378?\\par\r\n\\par\\pard }"};
        QTest::newRow("bullets switched off")
            << texts << "2" << QByteArrayList{"\\pntext", "Pass\\par", "Back to the wall\\par\r\n\\par\\pard }"};
        QTest::newRow("plain text") << texts << "3" << QByteArrayList{"Two lines\\par", "caf\\'e9\\par\r\n\\par\\pard }"};
        QTest::newRow("last bullet emptied") << texts << "4" << QByteArrayList{"Swim\\par", "Pass\\par\r\n\\par\\pard }"};
        QTest::newRow("no text") << texts << "5" << QByteArrayList{};
        QTest::newRow("exchange file") << fixturePath("record_v07.qvb") << "1" << QByteArrayList{"seven\\par\r\n\\par\\pard }"};
    }

    void rtf()
    {
        QFETCH(QString, file);
        QFETCH(QString, sequence);
        QFETCH(QByteArrayList, fragments);
        const CliResult result = runCli({"text", file, "--sequence", sequence, "--format", "rtf"});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QVERIFY(result.out.endsWith("}\n"));
        const QByteArray rtf = result.out.chopped(1);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(rtf.endsWith("\\par\\pard }"));
        QVERIFY(std::all_of(rtf.cbegin(), rtf.cend(), [](char c) { return quint8(c) < 0x80; }));
        // Paragraphs end in CR LF, never in a lone line feed.
        QCOMPARE(rtf.count('\n'), rtf.count("\r\n"));
        QVERIFY(!rtf.contains("\\'b7\\tab"));
        for (const QByteArray &fragment : std::as_const(fragments))
            QVERIFY2(rtf.contains(fragment), fragment.constData());

        const QString again = folder.filePath(QStringLiteral("again%1.dat").arg(QTest::currentDataTag()));
        QVERIFY(writeFile(again, playWithText(rtf)));
        const CliResult second = runCli({"text", again, "--sequence", "1", "--format", "rtf"});
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(second.out, result.out);
    }

    void failure_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        // On stderr; Qt may add warnings of its own about the environment.
        QTest::addColumn<QString>("message");
        const QString texts = fixturePath("v07_texts.dat");
        const QString usage = QStringLiteral("usage: quorvane-cli text FILE --sequence N [--format plain|rtf]\n");
        QTest::newRow("no arguments") << QStringList{"text"} << 1 << usage;
        QTest::newRow("no sequence") << QStringList{"text", texts} << 1 << usage;
        QTest::newRow("no file") << QStringList{"text", "--sequence", "1"} << 1 << usage;
        QTest::newRow("sequence without value") << QStringList{"text", texts, "--sequence"} << 1 << usage;
        for (const char *n : {"0", "-2", "x", "1.5", "", "2x"})
            QTest::addRow("sequence \"%s\"", n) << QStringList{"text", texts, "--sequence", n} << 1 << usage;
        QTest::newRow("unknown format")
            << QStringList{"text", texts, "--sequence", "1", "--format", "html"} << 1 << usage;
        QTest::newRow("unknown option") << QStringList{"text", texts, "--sequence", "1", "--zoom", "2"} << 1 << usage;
        QTest::newRow("two files") << QStringList{"text", texts, texts, "--sequence", "1"} << 1 << usage;
        QTest::newRow("sequence twice") << QStringList{"text", texts, "--sequence", "1", "--sequence", "2"} << 1 << usage;
        QTest::newRow("no such sequence") << QStringList{"text", texts, "--sequence", "6"} << 2
                                          << QStringLiteral("quorvane-cli: %1 has no sequence 6 (it has 5)\n").arg(texts);
        QTest::newRow("missing file") << QStringList{"text", "/nonexistent/x.dat", "--sequence", "1"} << 2
                                      << QStringLiteral("quorvane-cli: cannot read /nonexistent/x.dat: ");
    }

    void failure()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CliResult result = runCli(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }

    void damagedFile()
    {
        const QString path = folder.filePath(QStringLiteral("Cut short.dat"));
        QVERIFY(writeFile(path, playWithText("{\\rtf1 cut").replace("Nr_seq   = 1", "Nr_seq   = 2")));
        const CliResult result = runCli({"text", path, "--sequence", "1"});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(
                     QLatin1String("The data of play Cut short is corrupt and will be removed from the database\n")),
                 qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTextCommand)
#include "tst_textcommand.moc"
