#include "playfixture.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// quorvane-cli scan as scripts see it: the index in its order, TAB-separated,
// files that cannot be read named on stderr and left as they are.
class TestScanCommand : public QObject {
    Q_OBJECT

    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };

    static Result scan(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QUORVANE_CLI), QStringList{"scan"} + arguments);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    static PlayFixture play(const QString &category, const QString &name)
    {
        PlayFixture fixture;
        fixture.category = category;
        fixture.name = name;
        return fixture;
    }

private Q_SLOTS:
    void indexInOrderWithUnreadableFilesNamed()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + QStringLiteral("/data/");
        PlayFixture press = play("Defence", "Press");
        press.values[5] = QStringLiteral("Zone\tman"); // a tab inside a text
        press.values[4] = QStringLiteral("1");
        QVERIFY(writeFile(data + "Defence/Press.dat", press.bytes()));
        QVERIFY(writeFile(data + "Attack/ab.dat", play("Attack", "a/b").bytes()));
        QVERIFY(writeFile(data + "Attack/Wrong.dat", play("Attack", "Right").bytes()));

        PlayFixture old = play("Attack", "Old");
        old.version = QStringLiteral("0.4");
        QVERIFY(writeFile(data + "Attack/Old.dat", old.bytes()));
        QVERIFY(writeFile(data + "Attack/Empty.dat", QByteArray()));
        QVERIFY(writeFile(data + "Attack/Empty.~at", "an older copy"));

        const Result result = scan({dir.path()});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QStringLiteral(
            "Attack\ta/b\tDrill\t3\t6\t1\t12\t0\tSub one\tSub two\tSub three\tCoach\n"
            "Attack\tRight\tDrill\t3\t6\t1\t12\t0\tSub one\tSub two\tSub three\tCoach\n"
            "Defence\tPress\tDrill\t3\t6\t1\t12\t1\tZone\\tman\tSub two\tSub three\tCoach\n"));

        QStringList reports = result.err.split(u'\n', Qt::SkipEmptyParts);
        reports.sort();
        QCOMPARE(reports, (QStringList{
            "quorvane-cli: " + data + "Attack/Empty.dat cannot be read as a play file; not listed",
            "quorvane-cli: " + data + "Attack/Old.dat cannot be read as a play file; not listed"}));
        QCOMPARE(readFile(data + "Attack/Old.dat"), old.bytes());
        QCOMPARE(readFile(data + "Attack/Empty.~at"), QByteArray("an older copy"));
        QCOMPARE(QDir(data + "Attack").entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
                 (QStringList{"ab.dat", "Empty.dat", "Empty.~at", "Old.dat", "Wrong.dat"}));

        // Nothing changed, so the next scan says the same.
        const Result again = scan({dir.path()});
        QCOMPARE(again.out, result.out);
        QCOMPARE(again.err, result.err);
    }

    // Files start-up leaves out are left as they are: a later store of a
    // play of the same name must not find them renamed into its backup copy.
    void unreadableFileLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = play("Attack", "Press").bytes();
        QTest::newRow("newer version") << QByteArray(good).replace("Quorvane 0.7", "Quorvane 0.8");
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + good;
        QTest::newRow("not a play") << QByteArray("shopping list\r\n");
        QTest::newRow("no play name") << QByteArray(good).replace("Playname = Press", "Playname = ");
    }

    void unreadableFileLeftAlone()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString file = dir.path() + QStringLiteral("/data/Attack/Press.dat");
        QVERIFY(writeFile(file, content));

        const Result result = scan({dir.path()});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString());
        QCOMPARE(result.err, "quorvane-cli: " + file + " cannot be read as a play file; not listed\n");
        QCOMPARE(readFile(file), content);
        QCOMPARE(QDir(dir.path() + QStringLiteral("/data/Attack")).entryList(QDir::Files), QStringList{"Press.dat"});
    }

    void emptyDataFolder()
    {
        QTemporaryDir dir;
        const Result result = scan({dir.path()});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.isEmpty() && result.err.isEmpty());
    }

    void badUse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no folder") << QStringList() << 1;
        QTest::newRow("two folders") << QStringList{"a", "b"} << 1;
        QTest::newRow("missing folder") << QStringList{"/nonexistent/quorvane"} << 2;
    }

    void badUse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        const Result result = scan(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScanCommand)
#include "tst_scancommand.moc"
