#include "fakeenvironment.h"
#include "store/folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Folder choice for the program's files, on real folders below a temporary
// root. A folder named "missing" never exists, so it is never writable.
class TestFolders : public QObject {
    Q_OBJECT

    QTemporaryDir root;

    QString folder(const QString &name)
    {
        if (name.isEmpty())
            return {};
        const QString path = root.filePath(name) + u'/';
        if (!name.startsWith(QLatin1String("missing")))
            QDir().mkpath(path);
        return path;
    }

private Q_SLOTS:
    void computedDataFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("localAppData");
        QTest::addColumn<QString>("documents");
        QTest::addColumn<QString>("sharedDocuments");
        QTest::addColumn<QString>("expected"); // relative to the root
        QTest::addColumn<QString>("keeps");    // what the program folder already keeps

        const QString longName = QString(100, u'p');
        // A writable program folder is a playbook's home only when it
        // already is one (a portable copy); a build folder never becomes one.
        QTest::newRow("program folder without playbook") << "prog" << "local" << "docs" << ""
                                                         << "local/Korvath/Quorvane 009/" << "";
        QTest::newRow("portable copy with settings") << "prog-settings" << "local" << "docs" << ""
                                                     << "prog-settings/Zavad uve Davuzi/Quorvane 009/"
                                                     << "wparam.xml";
        QTest::newRow("portable copy with plays") << "prog-data" << "local" << "docs" << ""
                                                  << "prog-data/Zavad uve Davuzi/Quorvane 009/" << "data/";
        QTest::newRow("program folder too long") << longName << "local" << "docs" << ""
                                                 << "local/Korvath/Quorvane 009/" << "data/";
        QTest::newRow("documents and settings") << "Documents And Settings/x/prog" << "local" << "docs" << ""
                                                << "local/Korvath/Quorvane 009/" << "data/";
        QTest::newRow("program folder not writable") << "missing-prog" << "local" << "docs" << ""
                                                     << "local/Korvath/Quorvane 009/" << "";
        QTest::newRow("then documents") << "missing-prog" << "missing-local" << "docs" << "shared"
                                        << "docs/Zavad uve Davuzi/Quorvane 009/" << "";
        QTest::newRow("then shared documents") << "missing-prog" << "" << "missing-docs" << "shared"
                                               << "shared/Zavad uve Davuzi/Quorvane 009/" << "";
        QTest::newRow("nowhere") << "missing-prog" << "missing-local" << "" << "" << "" << "";
    }

    void computedDataFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, localAppData);
        QFETCH(QString, documents);
        QFETCH(QString, sharedDocuments);
        QFETCH(QString, expected);
        QFETCH(QString, keeps);

        FakeEnvironment env;
        env.program = folder(program);
        if (!keeps.isEmpty()) {
            const QString kept = env.program + QStringLiteral("Zavad uve Davuzi/Quorvane 009/") + keeps;
            if (kept.endsWith(u'/'))
                QVERIFY(QDir().mkpath(kept));
            else
                QVERIFY(QDir().mkpath(QFileInfo(kept).path()) && QFile(kept).open(QIODevice::WriteOnly));
        }
        env.localAppData = folder(localAppData);
        env.documents = folder(documents);
        env.sharedDocuments = folder(sharedDocuments);

        const FolderChoice choice = ::computedDataFolder(env);
        if (expected.isEmpty()) {
            QVERIFY(!choice.ok());
            QVERIFY(choice.folder.isEmpty());
            return;
        }
        QVERIFY2(choice.ok(), qPrintable(choice.error));
        QCOMPARE(choice.folder, root.filePath(expected));
        QVERIFY(QFileInfo(choice.folder).isDir());
        // A second run finds the folder it made.
        QCOMPARE(::computedDataFolder(env).folder, choice.folder);
    }

    void folderThatCannotBeCreatedIsReported()
    {
        FakeEnvironment env;
        env.program = folder(QStringLiteral("blocked"));
        env.localAppData = folder(QStringLiteral("blocked-local"));
        QFile blocker(env.localAppData + QStringLiteral("Korvath"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        const FolderChoice choice = ::computedDataFolder(env);
        QCOMPARE(choice.error, QStringLiteral("Cannot create ") + env.localAppData + QStringLiteral("Korvath"));
    }

    void settingsFileThatCannotBeAppendedMakesFolderUnfit()
    {
        // A folder standing where the settings file should be cannot be
        // opened for appending, whoever runs the test.
        const QString program = folder(QStringLiteral("lockedprog"));
        QDir().mkpath(program + QStringLiteral("Zavad uve Davuzi/Quorvane 009/wparam.xml"));
        QVERIFY(!isWritableFolder(program));
        QVERIFY(isWritableFolder(folder(QStringLiteral("free"))));
        QVERIFY(!isWritableFolder(QString()));
    }

    void writableTestSkipsTakenProbeNames()
    {
        const QString dir = folder(QStringLiteral("probes"));
        for (int n = 1; n <= 3; ++n) {
            QFile probe(dir + QStringLiteral("pb%1.tmp").arg(n));
            QVERIFY(probe.open(QIODevice::WriteOnly));
        }
        QVERIFY(isWritableFolder(dir));
        QVERIFY(!QFileInfo::exists(dir + QStringLiteral("pb4.tmp")));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("pb3.tmp")));
    }

    void controlFolder_data()
    {
        QTest::addColumn<QString>("sharedAppData");
        QTest::addColumn<QString>("localAppData");
        QTest::addColumn<QString>("expected"); // "computed" for the computed data folder

        QTest::newRow("shared application data") << "cshared" << "clocal" << "cshared/Korvath/Quorvane 009/";
        QTest::newRow("local application data") << "" << "clocal2" << "clocal2/Korvath/Quorvane 009/";
        QTest::newRow("neither") << "missing-a" << "missing-b" << "computed";
    }

    void controlFolder()
    {
        QFETCH(QString, sharedAppData);
        QFETCH(QString, localAppData);
        QFETCH(QString, expected);

        FakeEnvironment env;
        env.sharedAppData = folder(sharedAppData);
        env.localAppData = folder(localAppData);
        const QString computed = folder(QStringLiteral("computed"));

        const FolderChoice choice = ::controlFolder(env, computed);
        QVERIFY(choice.ok());
        QCOMPARE(choice.folder, expected == QLatin1String("computed") ? computed : root.filePath(expected));
    }

    void chooseDataFolder_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("storeComputed");

        QTest::newRow("nothing stored") << "" << QStringList() << "computed" << true;
        QTest::newRow("stored folder") << "stored" << QStringList() << "stored" << false;
        QTest::newRow("stored folder gone") << "missing-stored" << QStringList() << "computed" << true;
        QTest::newRow("-d folder") << "stored" << QStringList{"-d", "@one"} << "one" << false;
        QTest::newRow("-d last is ignored") << "" << QStringList{"x", "-d"} << "computed" << true;
        QTest::newRow("-d unwritable is ignored") << "stored" << QStringList{"-d", "@missing-d"} << "stored" << false;
        QTest::newRow("-d empty is ignored") << "" << QStringList{"-d", ""} << "computed" << true;
        QTest::newRow("-d repeated, last good wins")
            << "" << QStringList{"-d", "@one", "-d", "@two", "-d", "@missing-x"} << "two" << true;
        QTest::newRow("-d relative to the start folder") << "" << QStringList{"-d", "rel"} << "base/rel" << true;
    }

    void chooseDataFolder()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QFETCH(bool, storeComputed);

        const QString computed = folder(QStringLiteral("computed"));
        folder(QStringLiteral("one"));
        folder(QStringLiteral("two"));
        folder(QStringLiteral("base/rel"));
        folder(QStringLiteral("stored"));
        for (QString &argument : arguments) {
            if (argument.startsWith(u'@'))
                argument = root.filePath(argument.mid(1));
        }
        const QString storedPath = stored.isEmpty() ? QString() : root.filePath(stored);

        const DataFolderChoice choice =
            ::chooseDataFolder(computed, storedPath, arguments, root.filePath(QStringLiteral("base")));
        QCOMPARE(choice.folder, root.filePath(expected) + u'/');
        QCOMPARE(choice.storeAsDatabasePath, storeComputed);
    }

    void controlKey_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("plain") << "coach" << "COACH";
        QTest::newRow("reduced") << "Anna-Lena Öst 2" << "ANNALENAST2";
        QTest::newRow("empty") << "" << "X";
        QTest::newRow("nothing left") << "--_" << "X";
        QTest::newRow("long") << QString(300, u'a') << QString(255, u'A');
    }

    void controlKey()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QCOMPARE(::controlKey(name), key);
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
