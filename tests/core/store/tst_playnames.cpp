#include "store/playfolder.h"
#include "store/playnames.h"

#include <QDir>
#include <QTest>

// Play keys become folder and file names below "data/": no name may leave
// the data folder, hide from the scan or turn into nothing.
class TestPlayNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void removeAndReplace()
    {
        QCOMPARE(PlayNames::removechars(QStringLiteral("a*b|c\\d:e<f>g/h?\"'`")),
                 QStringLiteral("abcdefgh?\"'`"));
        QCOMPARE(PlayNames::replacechars(QStringLiteral("`a\"b'c|d*/")), QStringLiteral("_a_b_c_d*/"));
    }

    void diskName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("plain") << "Fast break" << "Fast break";
        QTest::newRow("slash removed") << "a/b" << "ab";
        QTest::newRow("backslash and colon") << "c:\\x" << "cx";
        QTest::newRow("dot") << "." << "";
        QTest::newRow("dot dot") << ".." << "";
        QTest::newRow("dot dot slash") << "../" << "";
        QTest::newRow("only removed characters") << "*|<>" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks only") << "   " << "";
        QTest::newRow("trailing dots and blanks") << "Press. . " << "Press";
        QTest::newRow("leading dot hides the file") << ".hidden" << "hidden";
        QTest::newRow("leading blank kept") << " Zone" << " Zone";
        QTest::newRow("inner dots kept") << "1.2.3 drill" << "1.2.3 drill";
        QTest::newRow("control characters") << QStringLiteral("a\tb\r\nc\x01") << "abc";
        QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << "ab";
        QTest::newRow("outside the code page") << QStringLiteral("\u03a9mega") << "?mega";
        QTest::newRow("code page kept") << QStringLiteral("Caf\u00e9 \u20ac") << QStringLiteral("Caf\u00e9 \u20ac");
    }

    void diskName()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(PlayNames::diskName(name), expected);

        // The path of a key with this name in either place is a direct child
        // of its category folder below "data/", or there is none.
        const PlayFolder folder(QStringLiteral("/playbook/"));
        for (const QString &path : {folder.playPath(name, QStringLiteral("Play")),
                                    folder.playPath(QStringLiteral("Attack"), name)}) {
            QCOMPARE(path.isEmpty(), expected.isEmpty());
            if (path.isEmpty())
                continue;
            QCOMPARE(QDir::cleanPath(path), path);
            QVERIFY(path.startsWith(folder.root()));
            QCOMPARE(path.mid(folder.root().size()).count(u'/'), 1);
            QVERIFY(!QFileInfo(path).fileName().startsWith(u'.'));
        }
    }

    void fileKey_data()
    {
        QTest::addColumn<QString>("category1");
        QTest::addColumn<QString>("name1");
        QTest::addColumn<QString>("category2");
        QTest::addColumn<QString>("name2");
        QTest::addColumn<bool>("onePlay");
        QTest::newRow("removed character") << "Attack" << "a/b" << "Attack" << "ab" << true;
        QTest::newRow("letter case") << "attack" << "AB" << "Attack" << "ab" << true;
        QTest::newRow("category characters") << "At:tack" << "x" << "Attack" << "x" << true;
        QTest::newRow("trailing dot") << "Attack" << "Press." << "Attack" << "Press" << true;
        QTest::newRow("other category") << "Defence" << "ab" << "Attack" << "ab" << false;
        QTest::newRow("other name") << "Attack" << "a b" << "Attack" << "ab" << false;
    }

    void fileKey()
    {
        QFETCH(QString, category1);
        QFETCH(QString, name1);
        QFETCH(QString, category2);
        QFETCH(QString, name2);
        QFETCH(bool, onePlay);
        QCOMPARE(PlayNames::fileKey(category1, name1) == PlayNames::fileKey(category2, name2), onePlay);
    }

    void refusedNamesHaveNoKey()
    {
        QVERIFY(PlayNames::fileKey(QStringLiteral(".."), QStringLiteral("x")).isEmpty());
        QVERIFY(PlayNames::fileKey(QStringLiteral("Attack"), QStringLiteral("./")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlayNames)
#include "tst_playnames.moc"
