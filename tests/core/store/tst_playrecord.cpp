#include "loadedplay.h"
#include "store/datamodule.h"
#include "store/playfile/playfile.h"
#include "store/playfile/playrecord.h"
#include "text/linereader.h"
#include "text/textroutines.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

namespace {

// Part fields as a list for compact comparisons: type, x1, y1, x2, y2,
// colour, second colour, tag, level, transparent.
QStringList summary(const PartRow &row)
{
    QStringList fields{row.Type};
    for (int value : {int(row.x1), int(row.y1), int(row.x2), int(row.y2), row.color, row.color2, row.tagnr,
                      row.level, row.transparent})
        fields.append(QString::number(value));
    return fields;
}

// A record of the given version laid out as that version has it: one
// sequence with a ball, a "shot" line with the text a|b, a circle whose x2
// is 999 and y2 14, and an ellipse. Values a version lacks are left out.
QByteArray recordOfVersion(int version)
{
    QStringList lines{"Version  = Quorvane 0." + QString::number(version), "Intro    = ", "",
                      "Type     = Drill", "Category = Old", "Playname = Versions", "Nr_seq   = 1"};
    if (version >= 5)
        lines += {"Quality  = 4", "Nrplayers= 6", "Nrballs  = 1", "Agegroup = 12", "Hide     = 0",
                  "Subcat1  = ", "Subcat2  = ", "Subcat3  = ", "Createdby= Coach"};
    if (version >= 7)
        lines += {"Credate  = ", "Moddate  = ", "Drilltime= ", "Extra1   = "};
    lines += {"Animation= No", "Text     = ", "{\\rtf1 t\\par}"};
    if (version >= 5)
        lines += {"Focus    = ", "focus"};
    lines += "Nr_parts = 4";
    if (version >= 7)
        lines += "Extra2   = e";
    const auto part = [&](const QString &type, int graphicnr, QList<int> corners, const QString &text) {
        lines += {"Graphicnr= " + QString::number(graphicnr), "type     = " + type};
        for (const char *key : {"x1       = ", "y1       = ", "x2       = ", "y2       = "})
            lines += key + QString::number(corners.takeFirst());
        if (version >= 4)
            lines += {"thickness = 2", "rotation  = 0", "arrow    = 1"};
        if (version >= 3)
            lines += "color    = 255";
        if (version >= 7)
            lines += "color2   = 100";
        if (version >= 4)
            lines += "playtext = " + text;
        if (version >= 5)
            lines += "fontname = Arial";
        if (version >= 7)
            lines += {"tagnr    = 9", "level    = 7000", "transpar = 0", "extra3   = x", "extra4   = y"};
    };
    part("Ball", 1, {50, 50, 0, 0}, "");
    part("shot", 0, {10, 10, 40, 40}, "a|b");
    part("Circle", 3, {100, 100, 999, 14}, "");
    part("ellipse", 0, {20, 20, 60, 60}, "");
    return crlf(lines);
}

// What a reader made of one part, in one line.
QString described(const PartRow &row)
{
    return QStringLiteral("%1 %2,%3,%4,%5 thick %6 color %7/%8 text '%9' font '%10' tag %11 level %12 transp %13 '%14'")
        .arg(row.Type)
        .arg(row.x1).arg(row.y1).arg(row.x2).arg(row.y2)
        .arg(row.thickness).arg(row.color).arg(row.color2)
        .arg(QString(row.tekst).replace(QLatin1String("\r\n"), QLatin1String("\\n")), row.fontname)
        .arg(row.tagnr).arg(row.level).arg(row.transparent)
        .arg(row.extra3);
}

} // namespace

// The keyed play record of exchange files, backups and complete play lists:
// the version rules of old records, the writer, and records that stop
// half-way.
class TestPlayRecord : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void version02()
    {
        Loaded play;
        loadExchangeFile(fixture(QStringLiteral("record_v02.qvb")), play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(play.version, QStringLiteral("0.2"));
        // Names are trimmed and lose the characters that cannot be in a key.
        QCOMPARE(play.header.Category, QStringLiteral("Old _one_"));
        QCOMPARE(play.header.Drillname, QStringLiteral("Two_three"));
        QCOMPARE(play.header.Intro, QString());
        QCOMPARE(play.header.Quality, 0);

        QCOMPARE(play.tables.sequences.size(), 2);
        // Plain text becomes rich text as the rich edit control saves it.
        QCOMPARE(play.tables.sequences[0].Text,
                 QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                                "\\viewkind4\\uc1\\pard\\f0\\fs20 Plain line one\\par\r\n"
                                "Brace \\{x\\} and back\\\\slash\\par\r\n}"));
        // x2 = 999 made the sequence animation-only and stays.
        QVERIFY(play.tables.sequences[0].Animationonly);
        QVERIFY(!play.tables.sequences[1].Animationonly);
        QCOMPARE(summary(part(play.tables, 1, 2)),
                 QStringList({"Circle", "100", "100", "999", "0", "0", "-1", "2", "4000", "0"}));
        QCOMPARE(summary(part(play.tables, 2, 1)),
                 QStringList({"Circle", "110", "100", "0", "0", "0", "-1", "2", "4000", "0"}));
        // Balls of old records were placed by their corner.
        QCOMPARE(summary(part(play.tables, 2, 2)),
                 QStringList({"Ball", "50", "50", "0", "0", "0", "-1", "3", "5000", "0"}));
    }

    void version04()
    {
        Loaded play;
        loadExchangeFile(fixture(QStringLiteral("record_v04.qvb")), play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(play.header.Type, QStringLiteral("Play"));
        QCOMPARE(play.header.Drillname, QStringLiteral("Four"));
        QVERIFY(play.tables.sequences[0].Animationonly);
        QCOMPARE(play.tables.sequences[0].Text, QStringLiteral("{\\rtf1 four\\par\r\n}"));
        QCOMPARE(play.tables.sequences[0].Focus, QString());

        const PartRow &circle = part(play.tables, 1, 2);
        QCOMPARE(summary(circle), QStringList({"Circle", "100", "100", "0", "0", "255", "-1", "2", "4000", "0"}));
        QCOMPARE(circle.tekst, QStringLiteral("7"));
        QCOMPARE(summary(part(play.tables, 1, 3)),
                 QStringList({"Ball", "50", "50", "0", "0", "0", "-1", "3", "5000", "0"}));
        const PartRow &shot = part(play.tables, 1, 4);
        QCOMPARE(shot.Type, QStringLiteral("pshot"));
        QCOMPARE(shot.tekst, QStringLiteral("a|b")); // no line breaks before 0.5
        QCOMPARE(shot.fontname, QString());
        QCOMPARE(QList<int>({shot.thickness, shot.rotation, shot.arrow}), QList<int>({2, 0, 1}));
        QCOMPARE(summary(part(play.tables, 2, 1)),
                 QStringList({"Circle", "120", "100", "0", "0", "0", "-1", "2", "4000", "0"}));
        const PartRow &ellipse = part(play.tables, 2, 2);
        QCOMPARE(ellipse.transparent, 1);
        QCOMPARE(ellipse.extra3, QStringLiteral("1"));
    }

    void version07()
    {
        Loaded play;
        loadExchangeFile(fixture(QStringLiteral("record_v07.qvb")), play);
        QCOMPARE(play.error, PlayReadError::None);
        const PlayRow &h = play.header;
        QCOMPARE(h.Intro, QStringLiteral("Hello"));
        QCOMPARE(h.Type, QStringLiteral("Drill"));
        QCOMPARE(h.Category, QStringLiteral("Attack"));
        QCOMPARE(h.Drillname, QStringLiteral("Seven"));
        QCOMPARE(QList<int>({h.Quality, h.Nrplayers, h.Nrballs, h.Agegroup, h.Hide}), QList<int>({4, 6, 1, 12, 0}));
        QCOMPARE(h.Subcat1, QStringLiteral("Counter"));
        QCOMPARE(h.Createdby, QStringLiteral("Coach"));

        const SequenceRow &first = play.tables.sequences[0];
        QVERIFY(first.Animationonly);
        QCOMPARE(first.Text, QStringLiteral("{\\rtf1 seven\\par\r\n}"));
        QCOMPARE(first.Focus, QStringLiteral("Focus text"));
        QCOMPARE(first.Extra2, QStringLiteral("abc"));

        // Level -9999 and a level that is not a number count as missing, a
        // transparent value that is not a number as 0; y2 stays from 0.7 on.
        const PartRow &circle = part(play.tables, 1, 2);
        QCOMPARE(summary(circle), QStringList({"Circle", "100", "100", "0", "14", "0", "-1", "2", "4000", "0"}));
        QCOMPARE(circle.extra3, QStringLiteral("pad"));
        QCOMPARE(circle.extra4, QStringLiteral("four"));
        const PartRow &shot = part(play.tables, 1, 3);
        QCOMPARE(summary(shot), QStringList({"shot", "10", "10", "40", "40", "0", "255", "3", "6000", "0"}));
        QCOMPARE(shot.tekst, QStringLiteral("a\r\nb"));
        QCOMPARE(shot.fontname, QStringLiteral("Arial"));
        QCOMPARE(summary(part(play.tables, 2, 1)),
                 QStringList({"Circle", "105", "100", "0", "0", "0", "-1", "2", "4000", "0"}));
    }

    // Each version rule of the record reader, at the versions where it
    // changes: colours from 0.3, style and text from 0.4, header values,
    // focus texts, line breaks in texts and fonts from 0.5, "shot" kept
    // from 0.6, the rest of the part from 0.7; animation-only by x2 999
    // before 0.3, balls moved before 0.5, symbol sizes dropped up to 0.6.
    void versionRules_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("quality");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("animationonly");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("0.2") << 2 << 0 << "" << true << QStringList{
            "Ball 43,43,0,0 thick 0 color 0/-1 text '' font '' tag 1 level 5000 transp 0 ''",
            "pshot 10,10,40,40 thick 0 color 0/-1 text '' font '' tag 2 level 6000 transp 0 ''",
            "Circle 100,100,999,0 thick 0 color 0/-1 text '' font '' tag 3 level 4000 transp 0 ''",
            "ellipse 20,20,60,60 thick 0 color 0/-1 text '' font '' tag 4 level 1000 transp 1 '1'"};
        QTest::newRow("0.3") << 3 << 0 << "" << false << QStringList{
            "Ball 43,43,0,0 thick 0 color 255/-1 text '' font '' tag 1 level 5000 transp 0 ''",
            "pshot 10,10,40,40 thick 0 color 255/-1 text '' font '' tag 2 level 6000 transp 0 ''",
            "Circle 100,100,999,0 thick 0 color 255/-1 text '' font '' tag 3 level 4000 transp 0 ''",
            "ellipse 20,20,60,60 thick 0 color 255/-1 text '' font '' tag 4 level 1000 transp 1 '1'"};
        QTest::newRow("0.4") << 4 << 0 << "" << false << QStringList{
            "Ball 43,43,0,0 thick 2 color 255/-1 text '' font '' tag 1 level 5000 transp 0 ''",
            "pshot 10,10,40,40 thick 2 color 255/-1 text 'a|b' font '' tag 2 level 6000 transp 0 ''",
            "Circle 100,100,999,0 thick 2 color 255/-1 text '' font '' tag 3 level 4000 transp 0 ''",
            "ellipse 20,20,60,60 thick 2 color 255/-1 text '' font '' tag 4 level 1000 transp 1 '1'"};
        QTest::newRow("0.5") << 5 << 4 << "focus" << false << QStringList{
            "Ball 50,50,0,0 thick 2 color 255/-1 text '' font 'Arial' tag 1 level 5000 transp 0 ''",
            "pshot 10,10,40,40 thick 2 color 255/-1 text 'a\\nb' font 'Arial' tag 2 level 6000 transp 0 ''",
            "Circle 100,100,999,0 thick 2 color 255/-1 text '' font 'Arial' tag 3 level 4000 transp 0 ''",
            "ellipse 20,20,60,60 thick 2 color 255/-1 text '' font 'Arial' tag 4 level 1000 transp 1 '1'"};
        QTest::newRow("0.6") << 6 << 4 << "focus" << false << QStringList{
            "Ball 50,50,0,0 thick 2 color 255/-1 text '' font 'Arial' tag 1 level 5000 transp 0 ''",
            "shot 10,10,40,40 thick 2 color 255/-1 text 'a\\nb' font 'Arial' tag 2 level 6000 transp 0 ''",
            "Circle 100,100,999,0 thick 2 color 255/-1 text '' font 'Arial' tag 3 level 4000 transp 0 ''",
            "ellipse 20,20,60,60 thick 2 color 255/-1 text '' font 'Arial' tag 4 level 1000 transp 1 '1'"};
        QTest::newRow("0.7") << 7 << 4 << "focus" << false << QStringList{
            "Ball 50,50,0,0 thick 2 color 255/100 text '' font 'Arial' tag 9 level 7000 transp 0 'x'",
            "shot 10,10,40,40 thick 2 color 255/100 text 'a\\nb' font 'Arial' tag 9 level 7000 transp 0 'x'",
            "Circle 100,100,999,14 thick 2 color 255/100 text '' font 'Arial' tag 9 level 7000 transp 0 'x'",
            "ellipse 20,20,60,60 thick 2 color 255/100 text '' font 'Arial' tag 9 level 7000 transp 0 'x'"};
    }

    void versionRules()
    {
        QFETCH(int, version);
        QFETCH(int, quality);
        QFETCH(QString, focus);
        QFETCH(bool, animationonly);
        QFETCH(QStringList, parts);
        Loaded play;
        loadExchangeFile(recordOfVersion(version), play);
        QCOMPARE(play.error, PlayReadError::None);
        QCOMPARE(play.version, QStringLiteral("0.") + QString::number(version));
        QCOMPARE(play.header.Quality, quality);
        QCOMPARE(play.tables.sequences.size(), 1);
        QCOMPARE(play.tables.sequences[0].Focus, focus);
        QCOMPARE(play.tables.sequences[0].Animationonly, animationonly);
        QStringList read;
        for (const PartRow &row : std::as_const(play.tables.parts))
            read << described(row);
        QCOMPARE(read, parts);
    }

    void writerGoldenBytes()
    {
        Tables tables;
        DataModule module(tables);
        PlayRow header;
        QByteArray source = fixture(QStringLiteral("v07_full.dat"));
        QBuffer in(&source);
        in.open(QIODevice::ReadOnly);
        QCOMPARE(PlayFile::read(in, module, header), PlayReadError::None);

        QByteArray written;
        QBuffer out(&written);
        out.open(QIODevice::WriteOnly);
        QVERIFY(ExchangeFile::write(out, module, header, header.Category, header.Drillname));
        QCOMPARE(QString::fromLatin1(written), QString::fromLatin1(fixture(QStringLiteral("v07_full_written.qvb"))));

        // Importing the export gives the same play, with the header values a
        // record carries.
        Loaded imported;
        loadExchangeFile(written, imported);
        QCOMPARE(imported.error, PlayReadError::None);
        QCOMPARE(imported.tables.parts.size(), tables.parts.size());
        for (qsizetype i = 0; i < tables.parts.size(); ++i) {
            QCOMPARE(static_cast<const PartFields &>(imported.tables.parts[i]), static_cast<const PartFields &>(tables.parts[i]));
            QCOMPARE(imported.tables.parts[i].Partnr, tables.parts[i].Partnr);
            QCOMPARE(imported.tables.parts[i].Drawingnr, tables.parts[i].Drawingnr);
        }
        QCOMPARE(imported.tables.sequences.size(), tables.sequences.size());
        for (qsizetype i = 0; i < tables.sequences.size(); ++i) {
            QCOMPARE(imported.tables.sequences[i].Text, remove_enter(tables.sequences[i].Text));
            QCOMPARE(imported.tables.sequences[i].Focus, remove_enter(tables.sequences[i].Focus));
            QCOMPARE(imported.tables.sequences[i].Extra2, tables.sequences[i].Extra2);
            QCOMPARE(imported.tables.sequences[i].Animationonly, tables.sequences[i].Animationonly);
        }
        QCOMPARE(imported.header.Createdby, header.Createdby);
        QCOMPARE(imported.header.Subcat2, header.Subcat2);
        QCOMPARE(imported.header.Intro, QString());
        QCOMPARE(imported.header.Extra1, QString());
    }

    void corrupt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PlayReadError>("error");
        const QStringList whole = {
            "Version  = Quorvane 0.4", "Intro    = ", "", "Type     = Drill", "Category = C", "Playname = P",
            "Nr_seq   = 1", "Animation= No", "Text     = ", "t", "Nr_parts = 1", "Graphicnr= 1", "type     = Court",
            "x1       = 0", "y1       = 0", "x2       = 0", "y2       = 0", "thickness = 0", "rotation  = 0",
            "arrow    = 0", "color    = 0", "playtext = ",
        };
        QTest::newRow("read whole") << crlf(whole) << PlayReadError::None;
        QTest::newRow("version 0.8") << crlf(QStringList{"Version  = Quorvane 0.8"} + whole.mid(1)) << PlayReadError::Version;
        QTest::newRow("version 0.1") << crlf(QStringList{"Version  = Quorvane 0.1"} + whole.mid(1)) << PlayReadError::Version;
        QTest::newRow("not a version line") << QByteArray("{\\rtf1 hello}\r\n") << PlayReadError::Version;
        QTest::newRow("backup file") << crlf(QStringList{whole[0], "Backup   = 1"} + whole.mid(1)) << PlayReadError::Category;
        QTest::newRow("ends in the intro") << crlf(whole.mid(0, 3)) << PlayReadError::Type;
        QTest::newRow("no category") << crlf(whole.mid(0, 4) + whole.mid(5)) << PlayReadError::Category;
        QTest::newRow("no play name") << crlf(whole.mid(0, 5) + whole.mid(6)) << PlayReadError::Playname;
        QTest::newRow("no sequence count") << crlf(whole.mid(0, 6) + whole.mid(7)) << PlayReadError::NrSeq;
        QTest::newRow("ends before the part count") << crlf(whole.mid(0, 10)) << PlayReadError::Damaged;
        QTest::newRow("ends inside a part") << crlf(whole.mid(0, 15)) << PlayReadError::Damaged;
        QTest::newRow("ends in the header values")
            << crlf(QStringList{"Version  = Quorvane 0.7"} + whole.mid(1, 6) + QStringList{"Quality  = 1"})
            << PlayReadError::Damaged;
        QTest::newRow("huge sequence count") << crlf(whole.mid(0, 6) + QStringList{"Nr_seq   = 2000000000"} + whole.mid(7))
                                             << PlayReadError::Damaged;
        QTest::newRow("huge part count") << crlf(whole.mid(0, 10) + QStringList{"Nr_parts = $7FFFFFFF"} + whole.mid(11))
                                         << PlayReadError::Damaged;
    }

    // A record that cannot be read leaves the loaded play as it was.
    void corrupt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(PlayReadError, error);
        Tables tables;
        DataModule data(tables);
        tables.sequences.append({1, false, 7, QStringLiteral("loaded"), QString(), QString()});
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        PlayRow header;
        QCOMPARE(ExchangeFile::read(buffer, data, header), error);
        QCOMPARE(tables.sequences.size(), 1);
        QCOMPARE(tables.sequences[0].Text == QLatin1String("loaded"), error != PlayReadError::None);
    }

    // Backups hold many records on one stream, read one after the other.
    void recordsOneAfterTheOther()
    {
        QByteArray bytes = crlf({"Version  = Quorvane 0.5", "Backup   = 2"});
        for (const char *name : {"First", "Second"}) {
            bytes += crlf({"Intro    = ", "", "Type     = Drill", "Category = Cat", QStringLiteral("Playname = ") + name,
                           "Nr_seq   = 1", "Quality  = 1", "Nrplayers= 2", "Nrballs  = 3", "Agegroup = 4",
                           "Hide     = 0", "Subcat1  = ", "Subcat2  = ", "Subcat3  = ", "Createdby= ",
                           "Animation= No", "Text     = ", QStringLiteral("text of ") + name, "Focus    = ",
                           "Nr_parts = 0"});
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        LineReader lines(buffer);
        lines.next();
        lines.next();
        QStringList read;
        Tables tables;
        DataModule module(tables);
        while (lines.next()) {
            PlayRow header;
            QCOMPARE(PlayRecord::readKey(lines, header), PlayReadError::None);
            QCOMPARE(PlayRecord::readBody(lines, 5, module, header), PlayReadError::None);
            QCOMPARE(header.Nrballs, 3);
            read.append(header.Drillname + u':' + tables.sequences.value(0).Text);
        }
        QCOMPARE(read, QStringList({"First:text of First", "Second:text of Second"}));
    }
};

QTEST_GUILESS_MAIN(TestPlayRecord)
#include "tst_playrecord.moc"
