#include "loadedplay.h"
#include "store/datamodule.h"
#include "store/playfile/playbuilder.h"
#include "store/playfile/playfile.h"
#include "text/parsednumber.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <limits>

namespace {

QByteArray storePlayFile(const Tables &tables, const PlayRow &header, const QString &now)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Tables copy = tables;
    const DataModule module(copy);
    if (!PlayFile::write(buffer, module, header, header.Category, header.Drillname, now))
        return {};
    return bytes;
}

QByteArray storeExchangeFile(const Tables &tables, const PlayRow &header)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Tables copy = tables;
    const DataModule module(copy);
    if (!ExchangeFile::write(buffer, module, header, header.Category, header.Drillname))
        return {};
    return bytes;
}

bool sameRows(const Tables &a, const Tables &b)
{
    if (a.sequences.size() != b.sequences.size() || a.parts.size() != b.parts.size())
        return false;
    for (qsizetype i = 0; i < a.sequences.size(); ++i) {
        const SequenceRow &x = a.sequences[i];
        const SequenceRow &y = b.sequences[i];
        if (x.Sequence != y.Sequence || x.Animationonly != y.Animationonly || x.Drawingnr != y.Drawingnr
            || x.Text != y.Text || x.Focus != y.Focus || x.Extra2 != y.Extra2)
            return false;
    }
    for (qsizetype i = 0; i < a.parts.size(); ++i) {
        const PartRow &x = a.parts[i];
        const PartRow &y = b.parts[i];
        if (static_cast<const PartFields &>(x) != y || x.Drawingnr != y.Drawingnr || x.Partnr != y.Partnr
            || x.Selected != y.Selected)
            return false;
    }
    return true;
}

// A small play that holds one of everything the writer has to take care of.
struct BuiltPlay {
    Tables tables;
    PlayRow header;

    BuiltPlay()
    {
        header.Category = QStringLiteral("Cat");
        header.Drillname = QStringLiteral("Name");
        header.Type = QStringLiteral("Play");
        header.Quality = 1;
        header.Nrplayers = 2;
        header.Nrballs = 1;
        header.Hide = 1;
        header.Subcat1 = QStringLiteral("A\r\nB");
        header.Createdby = QStringLiteral("Me");
        header.Moddate = QStringLiteral("old");
        header.Drilltime = QStringLiteral("5");
        // Rows out of number order, and a part of sketch 3 added last.
        tables.sequences = {
            {2, true, 5, QString(), QStringLiteral("f"), QString()},
            {1, false, 3, QStringLiteral("plain\r\n"), QString(), QStringLiteral("x\ny")},
        };
        PartRow text;
        text.Drawingnr = 3;
        text.Partnr = 2;
        text.Type = QStringLiteral("Text");
        text.x1 = -5;
        text.tekst = QStringLiteral("a\r\nb\rc\nd") + QChar(0x2029) + QStringLiteral("e|f");
        text.fontname = QStringLiteral("Arial");
        text.tagnr = 7;
        text.level = 2000;
        PartRow circle;
        circle.Drawingnr = 5;
        circle.Partnr = 1;
        circle.Type = QStringLiteral("Circle");
        circle.Graphicnr = 12;
        circle.color = 255;
        circle.tagnr = 1;
        circle.level = 4000;
        circle.Selected = 1;
        PartRow court;
        court.Drawingnr = 3;
        court.Partnr = 1;
        court.Type = QStringLiteral("Court");
        court.Graphicnr = 2;
        court.transparent = 1;
        court.extra3 = QStringLiteral("e\r3");
        court.extra4 = QStringLiteral("e4");
        tables.parts = {text, circle, court};
    }
};

} // namespace

// The play file (".dat"): its reader, its writer and how both meet hostile
// or unusual input.
class TestPlayFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("whole");
        QTest::newRow("empty") << "" << 0 << false;
        QTest::newRow("plain") << "12" << 12 << true;
        QTest::newRow("leading blanks") << "  -5" << -5 << true;
        QTest::newRow("tab in front") << "\t3" << 3 << true;
        QTest::newRow("plus") << "+7" << 7 << true;
        QTest::newRow("dollar hex") << "$1F" << 31 << true;
        QTest::newRow("0x hex") << "0x1f" << 31 << true;
        QTest::newRow("negative hex") << "-$10" << -16 << true;
        QTest::newRow("junk after digits") << "12abc" << 12 << false;
        QTest::newRow("trailing blank") << "12 " << 12 << false;
        QTest::newRow("no digits") << "abc" << 0 << false;
        QTest::newRow("sign only") << "-" << 0 << false;
        QTest::newRow("dollar only") << "$" << 0 << false;
        QTest::newRow("0x only") << "0x" << 0 << false;
        QTest::newRow("hex junk") << "$1G" << 1 << false;
        QTest::newRow("largest") << "2147483647" << std::numeric_limits<int>::max() << true;
        QTest::newRow("smallest") << "-2147483648" << std::numeric_limits<int>::min() << true;
        QTest::newRow("too large") << "99999999999999999999" << std::numeric_limits<int>::max() << false;
        QTest::newRow("too small") << "-2147483649" << std::numeric_limits<int>::min() << false;
        QTest::newRow("decimal point") << "3.5" << 3 << false;
    }

    void numberParsing()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, whole);
        const ParsedNumber number = parseNumber(text);
        QCOMPARE(number.value, value);
        QCOMPARE(number.whole, whole);
    }

    void version07EveryField()
    {
        Loaded play;
        loadPlayFile(fixture(QStringLiteral("v07_full.dat")), play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(play.version, QStringLiteral("0.7"));
        const PlayRow &h = play.header;
        QCOMPARE(h.Intro, QStringLiteral("A short intro\r\n"));
        QCOMPARE(h.Type, QStringLiteral("Drill"));
        QCOMPARE(h.Category, QStringLiteral("Attack"));
        QCOMPARE(h.Drillname, QStringLiteral("Full seven"));
        QCOMPARE(QList<int>({h.Quality, h.Nrplayers, h.Nrballs, h.Agegroup, h.Hide}), QList<int>({4, 6, 1, 12, 0}));
        QCOMPARE(QStringList({h.Subcat1, h.Subcat2, h.Subcat3, h.Createdby}),
                 QStringList({"Counter", "Centre", "Man up", QStringLiteral("Coach Kov\u00e1cs")}));
        QCOMPARE(QStringList({h.Credate, h.Moddate, h.Drilltime, h.Extra1}),
                 QStringList({"01-02-2020 10:11:12", "03-04-2021 13:14:15", "20 min", "spare one"}));

        const QList<SequenceRow> &sequences = play.tables.sequences;
        QCOMPARE(sequences.size(), 3);
        QCOMPARE(sequences[0].Text, QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 "
                                                   "Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 Swim to the "
                                                   "\\'e9 post\\par\r\n}\r\n"));
        QCOMPARE(sequences[0].Focus, QStringLiteral("Keep the ball dry\r\n"));
        QCOMPARE(sequences[0].Extra2, QStringLiteral("spare two"));
        QVERIFY(!sequences[0].Animationonly);
        // An empty sequence text: the text key directly followed by the focus key.
        QCOMPARE(sequences[1].Text, QString());
        QCOMPARE(sequences[1].Focus, QString());
        QVERIFY(sequences[1].Animationonly);
        QCOMPARE(sequences[2].Text, QStringLiteral("Plain line\r\n\r\n"));
        for (int s = 0; s < 3; ++s) {
            QCOMPARE(sequences[s].Sequence, s + 1);
            QCOMPARE(sequences[s].Drawingnr, s + 1);
        }

        QCOMPARE(play.tables.parts.size(), 6);
        const PartRow &text = part(play.tables, 1, 3);
        QCOMPARE(text.Type, QStringLiteral("Text"));
        QCOMPARE(QList<int>({text.x1, text.y1, text.x2, text.y2}), QList<int>({40, 50, 200, 80}));
        QCOMPARE(text.color, 255);
        QCOMPARE(text.color2, 16777215);
        QCOMPARE(text.tekst, QStringLiteral("Line one\r\nLine two"));
        QCOMPARE(text.fontname, QStringLiteral("Times New Roman"));
        QCOMPARE(text.tagnr, 3);
        QCOMPARE(text.level, 2000);
        QCOMPARE(text.transparent, 1);
        QCOMPARE(text.extra3, QStringLiteral("e3"));
        QCOMPARE(text.extra4, QStringLiteral("e4"));
        const PartRow &line = part(play.tables, 1, 4);
        QCOMPARE(QList<int>({line.thickness, line.rotation, line.arrow}), QList<int>({2, 0, 1}));
        QCOMPARE(part(play.tables, 1, 1).thickness, 255);
        QCOMPARE(part(play.tables, 1, 1).tekst, QStringLiteral("Lake2"));
        QCOMPARE(part(play.tables, 2, 2).y1, 32767);
        QCOMPARE(part(play.tables, 2, 2).level, 4100);
    }

    void version06Defaults()
    {
        Loaded play;
        loadPlayFile(fixture(QStringLiteral("v06_areas.dat")), play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(play.version, QStringLiteral("0.6"));
        QCOMPARE(play.header.Createdby, QStringLiteral("Coach"));
        QCOMPARE(play.header.Credate, QString());

        struct Expected {
            int drawing, partnr;
            const char *type;
            int tag, level, transparent;
            const char *extra3;
        };
        // Tags are handed on from sketch to sketch by type and symbol
        // number, in the order of the previous sketch.
        const Expected expected[] = {
            {1, 1, "Court", 1, 0, 0, ""},   {1, 2, "Circle", 2, 4000, 0, ""}, {1, 3, "Circle", 3, 4000, 0, ""},
            {1, 4, "ellipse", 4, 1000, 1, "1"}, {1, 5, "poly", 5, 1000, 1, "1"}, {1, 6, "ppoly", 6, 1000, 1, "1"},
            {1, 7, "shot", 7, 6000, 0, ""}, {2, 1, "Court", 1, 0, 0, ""},     {2, 2, "Circle", 2, 4000, 0, ""},
            {2, 3, "Ball", 8, 5000, 0, ""},   {2, 4, "Circle", 3, 4000, 0, ""},
        };
        QCOMPARE(play.tables.parts.size(), qsizetype(std::size(expected)));
        for (const Expected &e : expected) {
            const PartRow &row = part(play.tables, e.drawing, e.partnr);
            const QByteArray where = QByteArray::number(e.drawing) + '/' + QByteArray::number(e.partnr);
            QVERIFY2(row.Type == QLatin1String(e.type), where.constData());
            QVERIFY2(row.tagnr == e.tag, QByteArray(where + " tag " + QByteArray::number(row.tagnr)).constData());
            QVERIFY2(row.level == e.level, where.constData());
            QVERIFY2(row.transparent == e.transparent, where.constData());
            QVERIFY2(row.extra3 == QLatin1String(e.extra3), where.constData());
            QVERIFY2(row.color2 == -1, where.constData());
        }
        // y2 of a symbol is kept in play files (only old records drop it).
        QCOMPARE(part(play.tables, 1, 2).y2, 5);

        // Storing writes version 0.7, and the next load sees the same play.
        const QByteArray stored = storePlayFile(play.tables, play.header, QStringLiteral("now"));
        QVERIFY(stored.startsWith("Version  = Quorvane 0.7\r\n"));
        Loaded again;
        loadPlayFile(stored, again);
        QCOMPARE(again.error, PlayReadError::None);
        QVERIFY(sameRows(play.tables, again.tables));
        QCOMPARE(again.header.Credate, QStringLiteral("now"));
    }

    void version05ShotAndIntro()
    {
        Loaded play;
        loadPlayFile(fixture(QStringLiteral("v05_shot.dat")), play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(play.header.Intro, QStringLiteral("first\r\nsecond\r\nthird\r\n"));
        QCOMPARE(part(play.tables, 1, 2).Type, QStringLiteral("pshot"));
        QCOMPARE(part(play.tables, 1, 3).Type, QStringLiteral("pshot"));
        QCOMPARE(part(play.tables, 1, 2).level, 6000);
    }

    void lineFeedsAlone()
    {
        Loaded crlfPlay;
        Loaded lfPlay;
        loadPlayFile(fixture(QStringLiteral("v07_full.dat")), crlfPlay);
        loadPlayFile(fixture(QStringLiteral("v07_lf.dat")), lfPlay);
        QCOMPARE(lfPlay.error, PlayReadError::None);
        QVERIFY(sameRows(crlfPlay.tables, lfPlay.tables));
        QCOMPARE(lfPlay.header.Intro, crlfPlay.header.Intro);
        QCOMPARE(lfPlay.header.Extra1, crlfPlay.header.Extra1);
    }

    // The fixture is written as the program writes: storing it again with its
    // own modification date gives the same bytes.
    void writerReproducesFixture()
    {
        const QByteArray bytes = fixture(QStringLiteral("v07_full.dat"));
        Loaded play;
        loadPlayFile(bytes, play);
        QCOMPARE(storePlayFile(play.tables, play.header, QStringLiteral("03-04-2021 13:14:15")), bytes);
    }

    void writerGoldenBytes()
    {
        const BuiltPlay play;
        const QByteArray expected = crlf({
            "Version  = Quorvane 0.7",
            "Intro    = ",
            "",
            "Type     = Play",
            "Category = Cat",
            "Playname = Name",
            "Nr_seq   = 2",
            "1", "2", "1", "0", "1",
            "AB", "", "", "Me",
            "24-12-2026 08:00:00", "24-12-2026 08:00:00", "5", "",
            // sequence 1, drawing 3: its parts in the order they were added
            "No", "Text     = ", "plain", "Focus    = ", "Nr_parts = 2", "xy",
            "0", "Text", "-5", "0", "0", "0", "0", "0", "0", "0", "-1", "a|b|c|d|e|f", "Arial", "7", "2000", "0", "", "",
            "2", "Court", "0", "0", "0", "0", "0", "0", "0", "0", "-1", "", "", "0", "0", "1", "e3", "e4",
            // sequence 2, drawing 5
            "Yes", "Text     = ", "Focus    = ", "f", "Nr_parts = 1", "",
            "12", "Circle", "0", "0", "0", "0", "0", "0", "0", "255", "-1", "", "", "1", "4000", "0", "", "",
        });
        const QByteArray written = storePlayFile(play.tables, play.header, QStringLiteral("24-12-2026 08:00:00"));
        QCOMPARE(QString::fromLatin1(written), QString::fromLatin1(expected));

        // The part text comes back with CR LF for every break and every "|".
        Loaded loaded;
        loadPlayFile(written, loaded);
        QCOMPARE(part(loaded.tables, 1, 1).tekst, QStringLiteral("a\r\nb\r\nc\r\nd\r\ne\r\nf"));
        QCOMPARE(part(loaded.tables, 1, 1).Type, QStringLiteral("Text"));
        QCOMPARE(part(loaded.tables, 2, 1).Selected, 0);
    }

    void storingKeepsCreationDateAndIntro()
    {
        BuiltPlay play;
        play.header.Credate = QStringLiteral("1-1-2001 01:01:01");
        play.header.Intro = QStringLiteral("Two\r\nlines\r\n");
        const QByteArray written = storePlayFile(play.tables, play.header, QStringLiteral("later"));
        QVERIFY(written.startsWith("Version  = Quorvane 0.7\r\nIntro    = \r\nTwo lines\r\nType     = Play\r\n"));
        Loaded loaded;
        loadPlayFile(written, loaded);
        QCOMPARE(loaded.header.Credate, QStringLiteral("1-1-2001 01:01:01"));
        QCOMPARE(loaded.header.Moddate, QStringLiteral("later"));
        QCOMPARE(loaded.header.Intro, QStringLiteral("Two lines\r\n"));
    }

    // The intro section holds one line, so that a reader taking the intro in
    // pairs of lines meets the type line where it looks for it; line breaks
    // inside become blanks. What is read back is stored again unchanged.
    void introIsOneLine_data()
    {
        QTest::addColumn<QString>("intro");
        QTest::addColumn<QString>("line");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one line") << "A short intro" << "A short intro";
        QTest::newRow("one line as read") << "A short intro\r\n" << "A short intro";
        QTest::newRow("two lines") << "Two\r\nlines\r\n" << "Two lines";
        QTest::newRow("empty lines between") << "One\r\n\r\n\r\nTwo" << "One Two";
        QTest::newRow("lone breaks") << "One\nTwo\rThree" << "One Two Three";
        QTest::newRow("blanks kept") << "  padded  " << "  padded  ";
        QTest::newRow("a type key") << "Type     = fake\r\nreal" << " Type     = fake real";
    }

    void introIsOneLine()
    {
        QFETCH(QString, intro);
        QFETCH(QString, line);
        BuiltPlay play;
        play.header.Intro = intro;
        const QByteArray written = storePlayFile(play.tables, play.header, QStringLiteral("now"));
        const QList<QByteArray> lines = written.split('\n');
        QCOMPARE(lines.value(1), QByteArray("Intro    = \r"));
        QCOMPARE(lines.value(2), line.toLatin1() + '\r');

        // A reader that takes the intro in pairs: the first line of a pair is
        // intro text, the second ends the section when it is the type line.
        qsizetype next = 2;
        while (next + 1 < lines.size() && !lines[next + 1].startsWith("Type     ="))
            next += 2;
        QCOMPARE(lines.value(next + 1), QByteArray("Type     = Play\r"));

        Loaded loaded;
        loadPlayFile(written, loaded);
        QCOMPARE(loaded.error, PlayReadError::None);
        QCOMPARE(loaded.header.Intro, line + QStringLiteral("\r\n"));
        QByteArray scanned = written;
        QBuffer buffer(&scanned);
        buffer.open(QIODevice::ReadOnly);
        PlayRow header;
        QVERIFY(PlayFile::readHeader(buffer, header, QStringLiteral("now")));
        QCOMPARE(header.Intro, loaded.header.Intro);
        QCOMPARE(header.Type, QStringLiteral("Play"));
        QCOMPARE(storePlayFile(loaded.tables, loaded.header, QStringLiteral("now")), written);
    }

    // Numbering the parts of a sketch does not look through the sketch for
    // each part: four times the parts take about four times as long, not
    // sixteen. The bound leaves room for a busy machine.
    void loadingIsLinearInParts()
    {
        const auto sketchOf = [](int parts) {
            QStringList lines{"Version  = Quorvane 0.7", "Intro    = ", "", "Type     = Drill", "Category = C",
                              "Playname = P", "Nr_seq   = 1", "0", "0", "0", "0", "0", "", "", "", "", "", "",
                              "", "", "No", "Text     = ", "Focus    = ", "Nr_parts = " + QString::number(parts), ""};
            const QStringList part{"3", "Circle", "10", "20", "0", "100", "0", "0", "0", "0", "-1", "", "",
                                   "1", "4000", "0", "", ""};
            QByteArray bytes = crlf(lines);
            const QByteArray block = crlf(part);
            bytes.reserve(bytes.size() + parts * block.size());
            for (int p = 0; p < parts; ++p)
                bytes += block;
            return bytes;
        };
        const auto bestTime = [&](int parts) {
            const QByteArray bytes = sketchOf(parts);
            qint64 best = std::numeric_limits<qint64>::max();
            for (int run = 0; run < 3; ++run) {
                QElapsedTimer clock;
                clock.start();
                Loaded loaded;
                loadPlayFile(bytes, loaded);
                best = std::min(best, clock.nsecsElapsed());
                if (loaded.tables.parts.size() != parts || loaded.tables.parts.last().Partnr != parts)
                    return qint64(-1);
            }
            return best;
        };
        const qint64 small = bestTime(20000);
        const qint64 large = bestTime(80000);
        QVERIFY(small > 0 && large > 0);
        QVERIFY2(large < 8 * small, qPrintable(QStringLiteral("20,000 parts: %1 ms, 80,000 parts: %2 ms")
                                                   .arg(small / 1e6).arg(large / 1e6)));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("intro"); // as stored: one line
        QTest::newRow("v05_shot.dat") << "v05_shot.dat" << "first second third\r\n";
        QTest::newRow("v06_areas.dat") << "v06_areas.dat" << "\r\n";
        QTest::newRow("v07_full.dat") << "v07_full.dat" << "A short intro\r\n";
        QTest::newRow("v07_lf.dat") << "v07_lf.dat" << "A short intro\r\n";
    }

    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QString, intro);
        Loaded first;
        loadPlayFile(fixture(name), first);
        QCOMPARE(first.error, PlayReadError::None);
        Loaded second;
        loadPlayFile(storePlayFile(first.tables, first.header, QStringLiteral("now")), second);
        QCOMPARE(second.error, PlayReadError::None);
        QCOMPARE(second.version, QStringLiteral("0.7"));
        QVERIFY(sameRows(first.tables, second.tables));
        PlayRow expected = first.header;
        if (expected.Credate.isEmpty())
            expected.Credate = QStringLiteral("now");
        expected.Moddate = QStringLiteral("now");
        QCOMPARE(second.header.Intro, intro);
        QCOMPARE(second.header.Credate, expected.Credate);
        QCOMPARE(second.header.Moddate, expected.Moddate);
        QCOMPARE(second.header.Createdby, expected.Createdby);
        QCOMPARE(second.header.Subcat3, expected.Subcat3);
    }

    void corrupt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PlayReadError>("error");
        const QStringList head = {"Version  = Quorvane 0.7", "Intro    = ", "", "Type     = Drill",
                                  "Category = C", "Playname = P", "Nr_seq   = 1"};
        const QStringList values = {"1", "2", "1", "0", "0", "", "", "", "", "", "", "", ""};
        const QStringList sequence = {"No", "Text     = ", "t", "Focus    = ", "f", "Nr_parts = 1", ""};
        const QStringList partLines = {"1", "Court", "0", "0", "0", "0", "0", "0", "0", "0", "-1", "", "", "1", "0", "0", "", ""};
        const QStringList whole = head + values + sequence + partLines;

        QTest::newRow("empty file") << QByteArray() << PlayReadError::Version;
        QTest::newRow("version 0.4") << crlf(QStringList{"Version  = Quorvane 0.4"} + whole.mid(1)) << PlayReadError::Version;
        QTest::newRow("version with a blank") << crlf(QStringList{"Version  = Quorvane 0.7 "} + whole.mid(1))
                                              << PlayReadError::Version;
        QTest::newRow("no type") << crlf(whole.mid(0, 3) + whole.mid(4)) << PlayReadError::Type;
        QTest::newRow("ends in the intro") << crlf(head.mid(0, 3)) << PlayReadError::Type;
        // An even number of intro lines: reading them in pairs would pass the
        // type line by.
        QTest::newRow("two intro lines read") << crlf(head.mid(0, 3) + QStringList{"more"} + head.mid(3) + values + sequence + partLines)
                                              << PlayReadError::None;
        QTest::newRow("no category") << crlf(whole.mid(0, 4) + whole.mid(5)) << PlayReadError::Category;
        QTest::newRow("no play name") << crlf(whole.mid(0, 5) + whole.mid(6)) << PlayReadError::Playname;
        QTest::newRow("no sequence count") << crlf(whole.mid(0, 6) + whole.mid(7)) << PlayReadError::NrSeq;
        QTest::newRow("ends in the header values") << crlf(head + values.mid(0, 5)) << PlayReadError::Damaged;
        QTest::newRow("ends before the focus") << crlf(head + values + sequence.mid(0, 3)) << PlayReadError::Damaged;
        QTest::newRow("ends before the part count") << crlf(head + values + sequence.mid(0, 5)) << PlayReadError::Damaged;
        QTest::newRow("ends inside a part") << crlf(head + values + sequence + partLines.mid(0, 10)) << PlayReadError::Damaged;
        QTest::newRow("sequences missing") << crlf(head.mid(0, 6) + QStringList{"Nr_seq   = 2"} + values + sequence + partLines)
                                           << PlayReadError::Damaged;
        QTest::newRow("huge sequence count") << crlf(head.mid(0, 6) + QStringList{"Nr_seq   = 2147483647"} + values + sequence + partLines)
                                             << PlayReadError::Damaged;
        QTest::newRow("huge part count") << crlf(head + values + sequence.mid(0, 5) + QStringList{"Nr_parts = 99999999999", ""} + partLines)
                                         << PlayReadError::Damaged;
        QTest::newRow("line without end, too long")
            << crlf(head + values + sequence.mid(0, 2)) + QByteArray(9 * 1024 * 1024, 'x') << PlayReadError::Damaged;
    }

    void corrupt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(PlayReadError, error);
        Loaded play;
        // Whatever was loaded before is gone after a failed load.
        play.tables.sequences.append({1, false, 1, QStringLiteral("old"), QString(), QString()});
        play.tables.parts.append(PartRow());
        loadPlayFile(bytes, play);
        QCOMPARE(play.error, error);
        if (error != PlayReadError::None) {
            QVERIFY(play.tables.sequences.isEmpty());
            QVERIFY(play.tables.parts.isEmpty());
        }
    }

    void coordinatesClamped()
    {
        QByteArray bytes = fixture(QStringLiteral("v07_full.dat"));
        // The circle of sketch 1 at 100,120 moves far off the 16-bit range.
        bytes.replace("\r\nCircle\r\n100\r\n120\r\n", "\r\nCircle\r\n70000\r\n-99999999999\r\n");
        bytes.replace("\r\nppass\r\n100\r\n120\r\n150\r\n200\r\n2\r\n", "\r\nppass\r\n100\r\n120\r\n150\r\n200\r\n99999999999\r\n");
        Loaded play;
        loadPlayFile(bytes, play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(part(play.tables, 1, 2).x1, 32767);
        QCOMPARE(part(play.tables, 1, 2).y1, -32768);
        QCOMPARE(part(play.tables, 1, 4).thickness, std::numeric_limits<int>::max());
    }

    void notWholeTagLevelTransparent()
    {
        QByteArray bytes = fixture(QStringLiteral("v07_full.dat"));
        // The circle of sketch 2: tag, level and transparent not numbers.
        bytes.replace("\r\n3\r\nArial\r\n2\r\n4100\r\n0\r\n", "\r\n3\r\nArial\r\nx\r\n41a\r\n1b\r\n");
        Loaded play;
        loadPlayFile(bytes, play);
        QCOMPARE(play.error, PlayReadError::None);
        const PartRow &circle = part(play.tables, 2, 2);
        QCOMPARE(circle.tagnr, 2); // handed on from the circle of sketch 1
        QCOMPARE(circle.level, 4000);
        QCOMPARE(circle.transparent, 0);
    }

    // A memo line that begins with the key that ends the memo would end it
    // early and shift every line after it. The writer keeps such lines off
    // the start of a line; the reader then sees the same play.
    void memoLineWithEndingKey_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("rich text after a control word")
            << "text"
            << "{\\rtf1\\ansi\r\n\\pard\\f0\\fs20 First\\par\r\nFocus    = like a key\\par\r\n}\r\n"
            << "{\\rtf1\\ansi\r\n\\pard\\f0\\fs20 First\\par Focus    = like a key\\par\r\n}\r\n";
        QTest::newRow("rich text after a number parameter")
            << "text" << "{\\rtf1\\fs20\r\nFocus    = x}\r\n" << "{\\rtf1\\fs20 Focus    = x}\r\n";
        QTest::newRow("rich text after plain text")
            << "text" << "{\\rtf1 a \r\nFocus    = x}\r\n" << "{\\rtf1 a Focus    = x}\r\n";
        QTest::newRow("rich text after an escaped backslash")
            << "text" << "{\\rtf1 a\\\\par\r\nFocus    = x}\r\n" << "{\\rtf1 a\\\\parFocus    = x}\r\n";
        QTest::newRow("rich text after a hex escape")
            << "text" << "{\\rtf1 \\'e9\r\nFocus    = x}\r\n" << "{\\rtf1 \\'e9Focus    = x}\r\n";
        QTest::newRow("rich text after empty lines")
            << "text" << "{\\rtf1 a\r\n\r\n\r\nFocus    = x}\r\n" << "{\\rtf1 aFocus    = x}\r\n";
        QTest::newRow("plain text") << "text" << "Focus    = first line\r\nnext\r\n"
                                    << " Focus    = first line\r\nnext\r\n";
        QTest::newRow("focus") << "focus" << "note\r\nNr_parts = 99\r\n" << "note\r\n Nr_parts = 99\r\n";
        QTest::newRow("rich focus") << "focus" << "{\\rtf1\\par\r\nNr_parts = 99}" << "{\\rtf1\\par Nr_parts = 99}\r\n";
        QTest::newRow("intro") << "intro" << "Type     = fake\r\nreal\r\n" << " Type     = fake real\r\n";
        QTest::newRow("other keys stay") << "text" << "Nr_parts = 1\r\nType     = x\r\n" << "Nr_parts = 1\r\nType     = x\r\n";
    }

    void memoLineWithEndingKey()
    {
        QFETCH(QString, memo);
        QFETCH(QString, written);
        QFETCH(QString, readBack);
        BuiltPlay play;
        SequenceRow &first = play.tables.sequences[1];
        QString &field = memo == QLatin1String("intro") ? play.header.Intro
                                                         : (memo == QLatin1String("text") ? first.Text : first.Focus);
        field = written;

        Loaded loaded;
        loadPlayFile(storePlayFile(play.tables, play.header, QStringLiteral("now")), loaded);
        QCOMPARE(loaded.error, PlayReadError::None);
        QCOMPARE(loaded.tables.sequences.size(), 2);
        QCOMPARE(loaded.tables.parts.size(), 3);
        const SequenceRow &loadedFirst = loaded.tables.sequences[0];
        const QString &got = memo == QLatin1String("intro") ? loaded.header.Intro
                                                            : (memo == QLatin1String("text") ? loadedFirst.Text : loadedFirst.Focus);
        QCOMPARE(got, readBack);
        QCOMPARE(loaded.header.Type, QStringLiteral("Play"));

        // The record layout keeps its memos the same way (the intro is not
        // part of a record).
        if (memo != QLatin1String("intro")) {
            Loaded imported;
            loadExchangeFile(storeExchangeFile(play.tables, play.header), imported);
            QCOMPARE(imported.error, PlayReadError::None);
            QCOMPARE(imported.tables.parts.size(), 3);
            const SequenceRow &importedFirst = imported.tables.sequences[0];
            QCOMPARE(memo == QLatin1String("text") ? importedFirst.Text : importedFirst.Focus,
                     readBack.chopped(readBack.endsWith(QLatin1String("\r\n")) ? 2 : 0));
        }
    }

    void singleLineFieldsLoseLineBreaks()
    {
        BuiltPlay play;
        play.header.Type = QStringLiteral("Dr\nill");
        play.header.Extra1 = QStringLiteral("one\r\ntwo") + QChar(0x2029);
        play.tables.parts[0].fontname = QStringLiteral("Ari\ral");
        play.tables.parts[0].Type = QStringLiteral("Te\r\nxt");
        Loaded loaded;
        play.header.Category = QStringLiteral("Ca\r\nt");
        loadPlayFile(storePlayFile(play.tables, play.header, QStringLiteral("now")), loaded);
        QCOMPARE(loaded.error, PlayReadError::None);
        QCOMPARE(loaded.header.Type, QStringLiteral("Drill"));
        QCOMPARE(loaded.header.Category, QStringLiteral("Cat"));
        QCOMPARE(loaded.header.Extra1, QStringLiteral("onetwo"));
        QCOMPARE(loaded.tables.sequences[0].Extra2, QStringLiteral("xy"));
        QCOMPARE(part(loaded.tables, 1, 1).fontname, QStringLiteral("Arial"));
        QCOMPARE(part(loaded.tables, 1, 1).Type, QStringLiteral("Text"));
        QCOMPARE(part(loaded.tables, 1, 2).extra3, QStringLiteral("e3"));
    }

    void headerAsTheScanReadsIt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("credate");
        QTest::addColumn<QString>("createdby");
        QTest::newRow("0.7") << fixture(QStringLiteral("v07_full.dat")) << true << "Attack" << "Full seven"
                             << "01-02-2020 10:11:12" << QStringLiteral("Coach Kov\u00e1cs");
        QTest::newRow("0.6 gets the current date") << fixture(QStringLiteral("v06_areas.dat")) << true << "Defence"
                                                   << "Zone six" << "NOW" << "Coach";
        QTest::newRow("three intro lines") << fixture(QStringLiteral("v05_shot.dat")) << true << "Shooting"
                                           << "Old shot" << "NOW" << "";
        QTest::newRow("0.4 is not a play file") << QByteArray("Version  = Quorvane 0.4\r\nIntro    = \r\n\r\n") << false
                                                << "" << "" << "" << "";
        QTest::newRow("ends in the intro") << QByteArray("Version  = Quorvane 0.7\r\nIntro    = \r\n\r\n") << true
                                           << "" << "" << "" << "";
        QTest::newRow("no sequence count") << crlf({"Version  = Quorvane 0.6", "Type     = D", "Category = C",
                                                    "Playname = P", "4", "5", "6", "7", "8", "9", "s1", "s2", "s3",
                                                    "me"})
                                           << true << "C" << "P" << "NOW" << "me";
    }

    void headerAsTheScanReadsIt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, known);
        QFETCH(QString, category);
        QFETCH(QString, name);
        QFETCH(QString, credate);
        QFETCH(QString, createdby);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        PlayRow header;
        header.filePath = QStringLiteral("kept");
        QCOMPARE(PlayFile::readHeader(buffer, header, QStringLiteral("NOW")), known);
        QCOMPARE(header.Category, category);
        QCOMPARE(header.Drillname, name);
        QCOMPARE(header.Credate, credate);
        QCOMPARE(header.Createdby, createdby);
        QCOMPARE(header.filePath, QStringLiteral("kept"));
    }

    // The reader computes missing tags without searching the table for each
    // part; it must give exactly what findtagnr gives.
    void tagNumbersAsFindtagnr()
    {
        QRandomGenerator random(20260101);
        const QStringList types = {"Circle", "Ball", "pass", "Court"};
        for (int round = 0; round < 30; ++round) {
            Tables expectedTables;
            DataModule expected(expectedTables);
            PlayBuilder builder;
            const int sequences = random.bounded(1, 6);
            for (int s = 1; s <= sequences; ++s) {
                expected.addsequence(s, s, false);
                builder.addSequence(false, QString(), QString(), QString());
                const int parts = random.bounded(0, 12);
                for (int p = 0; p < parts; ++p) {
                    PartFields fields;
                    fields.Type = types[random.bounded(int(types.size()))];
                    fields.Graphicnr = random.bounded(3);
                    const bool hasTag = random.bounded(4) == 0;
                    fields.tagnr = hasTag ? random.bounded(-1, 8) : 0;
                    fields.level = 1;
                    builder.addPart(fields, hasTag, true);
                    if (!hasTag)
                        fields.tagnr = expected.findtagnr(fields.Type, fields.Graphicnr, s);
                    expected.addpart(s, fields);
                }
            }
            Tables builtTables;
            DataModule built(builtTables);
            builder.moveInto(built);
            QVERIFY2(sameRows(builtTables, expectedTables), QByteArray::number(round).constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestPlayFile)
#include "tst_playfile.moc"
