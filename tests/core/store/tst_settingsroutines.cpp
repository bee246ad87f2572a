// The settings and control-record routines of the data module.

#include "store/datamodule.h"

#include <QTest>

class SettingsRoutinesTest : public QObject {
    Q_OBJECT

    Tables tables;
    DataModule data{tables};

    int controlRows(const QString &type) const
    {
        return int(std::count_if(tables.controls.cbegin(), tables.controls.cend(),
                                 [&](const ControlRow &row) { return row.Type == type; }));
    }

private Q_SLOTS:
    void init() { tables = Tables(); }

    void keysAreOneSettingInAnyCase_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");
        QTest::newRow("mixed") << "HeadText" << "Headtext";
        QTest::newRow("upper") << "HEADTEXT" << "headtext";
        QTest::newRow("cut to eight") << "Antiexp2Extra" << "antiexp2";
    }
    void keysAreOneSettingInAnyCase()
    {
        QFETCH(QString, written);
        QFETCH(QString, read);
        data.setparam(written, QStringLiteral("first"), false, 1);
        data.setparam(read, QStringLiteral("Playbook"), true, 7);
        QCOMPARE(tables.params.size(), 1);
        QCOMPARE(tables.params[0].Type, written.left(8));
        const ParamValue value = data.getparam(written.toLower());
        QCOMPARE(value.text, QStringLiteral("Playbook"));
        QVERIFY(value.filled);
        QCOMPARE(value.number, 7);

        data.addparam(read.toUpper(), QStringLiteral("ignored"), false, 99);
        QCOMPARE(tables.params.size(), 1);
        QCOMPARE(data.getparam(read).number, 7);

        data.deleteparam(written.toUpper());
        QVERIFY(tables.params.isEmpty());
    }

    void missingSettingReadsEmpty()
    {
        data.setparam(QStringLiteral("Speed"), QString(), true, 20);
        const ParamValue value = data.getparam(QStringLiteral("Nothing"));
        QVERIFY(value.text.isEmpty());
        QVERIFY(!value.filled);
        QCOMPARE(value.number, 0);
        data.deleteparam(QStringLiteral("Nothing"));
        QCOMPARE(tables.params.size(), 1);
    }

    void textIsCutToItsField()
    {
        data.setparam(QStringLiteral("Yoursig"), QString(300, u'x'), true, 0);
        QCOMPARE(data.getparam(QStringLiteral("Yoursig")).text.size(), 255);
    }

    void pluginOnlyWhenSwitchedOn()
    {
        data.setparam(QStringLiteral("Plugin"), QStringLiteral("Arena"), false, 2);
        QCOMPARE(data.getplugin().name, QString());
        QCOMPARE(data.getplugin().number, 0);
        data.setparam(QStringLiteral("plugin"), QStringLiteral("Arena"), true, 2);
        QCOMPARE(data.getplugin().name, QStringLiteral("Arena"));
        QCOMPARE(data.getplugin().number, 2);
    }

    void printGroupRoundTrip()
    {
        const PrintParams written{true, true, 11, 4, 2, QStringLiteral("Winter squad"), true};
        data.setprintparams(written);
        const PrintParams read = data.getprintparams();
        QCOMPARE(read.Rows, written.Rows);
        QCOMPARE(read.A4, written.A4);
        QCOMPARE(read.Fontsize, written.Fontsize);
        QCOMPARE(read.Quality, written.Quality);
        QCOMPARE(read.Printmod, written.Printmod);
        QCOMPARE(read.Headtext, written.Headtext);
        QCOMPARE(read.Fullpage, written.Fullpage);
        QCOMPARE(tables.params.size(), 7);
    }

    void controlTextIsSplitInRows_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("rows");
        QTest::newRow("short") << 12 << 1;
        QTest::newRow("one full row") << 255 << 1;
        QTest::newRow("one over") << 256 << 2;
        QTest::newRow("300 characters") << 300 << 2;
        QTest::newRow("three rows") << 700 << 3;
    }
    void controlTextIsSplitInRows()
    {
        QFETCH(int, length);
        QFETCH(int, rows);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u'a' + i % 26);
        data.setcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("COACH"),
                            QStringLiteral("POOLPC"), 5, text);
        QCOMPARE(controlRows(QStringLiteral("DatabasePath")), rows);
        for (const ControlRow &row : std::as_const(tables.controls)) {
            QCOMPARE(row.InfoString, text.mid((row.TypeCount - 1) * 255, 255));
            QCOMPARE(row.InfoValue, QStringLiteral("5"));
        }
        QCOMPARE(data.getcontroltext(QStringLiteral("databasepath"), QStringLiteral("coach"),
                                     QStringLiteral("poolpc")),
                 text);
        QCOMPARE(data.getcontrolvalue(QStringLiteral("DATABASEPATH"), QStringLiteral("Coach"),
                                      QStringLiteral("PoolPC")),
                 5);
    }

    // Rows of a longer earlier text must not be glued onto a shorter one.
    void shorterTextAfterLongerReadsBackExactly()
    {
        const QString user = QStringLiteral("COACH"), pc = QStringLiteral("POOLPC");
        data.setcontroltext(QStringLiteral("Other"), user, pc, 0, QString(600, u'o'));
        data.setcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("ASSISTANT"), pc, 0,
                            QString(400, u'b'));
        data.setcontroltext(QStringLiteral("DatabasePath"), user, pc, 0, QString(600, u'x'));
        data.setcontroltext(QStringLiteral("DatabasePath"), user, pc, 1, QStringLiteral("/pool/data/"));

        QCOMPARE(data.getcontroltext(QStringLiteral("DatabasePath"), user, pc),
                 QStringLiteral("/pool/data/"));
        QCOMPARE(data.getcontrolvalue(QStringLiteral("DatabasePath"), user, pc), 1);
        // Other records keep all their rows.
        QCOMPARE(data.getcontroltext(QStringLiteral("Other"), user, pc), QString(600, u'o'));
        QCOMPARE(data.getcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("ASSISTANT"), pc),
                 QString(400, u'b'));
        QCOMPARE(tables.controls.size(), 3 + 2 + 1);
    }

    void emptyTextWritesNothing()
    {
        data.setcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("A"), QStringLiteral("B"),
                            3, QStringLiteral("/kept/"));
        data.setcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("A"), QStringLiteral("B"),
                            4, QString());
        QCOMPARE(data.getcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("A"),
                                     QStringLiteral("B")),
                 QStringLiteral("/kept/"));
        QCOMPARE(data.getcontrolvalue(QStringLiteral("DatabasePath"), QStringLiteral("A"),
                                      QStringLiteral("B")),
                 3);
    }

    void controlReadsStopAtGaps()
    {
        tables.controls = {
            {QStringLiteral("Note"), 1, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("one"), QStringLiteral("x")},
            {QStringLiteral("Note"), 3, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("three"), QString()},
        };
        QCOMPARE(data.getcontroltext(QStringLiteral("Note"), QStringLiteral("A"), QStringLiteral("B")),
                 QStringLiteral("one"));
        QCOMPARE(data.getcontrolvalue(QStringLiteral("Note"), QStringLiteral("A"), QStringLiteral("B")), 0);
        QCOMPARE(data.getcontroltext(QStringLiteral("Note"), QStringLiteral("A"), QStringLiteral("C")),
                 QString());
    }
};

QTEST_GUILESS_MAIN(SettingsRoutinesTest)
#include "tst_settingsroutines.moc"
