#include "text/cp1252.h"

#include <QTest>

class TestCp1252 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int byte = 0; byte < 256; ++byte)
            all[byte] = char(byte);
        const QString text = Cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Cp1252::encode(text), all);
        for (QChar c : text)
            QVERIFY2(Cp1252::canEncode(c), qPrintable(QString::number(c.unicode(), 16)));
    }

    void decode_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("codePoint");
        QTest::newRow("ascii") << 0x41 << 0x41;
        QTest::newRow("nul") << 0x00 << 0x00;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x81;
        QTest::newRow("undefined 8D") << 0x8D << 0x8D;
        QTest::newRow("undefined 8F") << 0x8F << 0x8F;
        QTest::newRow("undefined 90") << 0x90 << 0x90;
        QTest::newRow("undefined 9D") << 0x9D << 0x9D;
        QTest::newRow("right single quote") << 0x92 << 0x2019;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178;
        QTest::newRow("no-break space") << 0xA0 << 0xA0;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }

    void decode()
    {
        QFETCH(int, byte);
        QFETCH(int, codePoint);
        const QByteArray bytes(1, char(byte));
        QCOMPARE(Cp1252::decode(bytes), QString(QChar(codePoint)));
        QCOMPARE(Cp1252::encode(QString(QChar(codePoint))), bytes);
    }

    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latin") << QStringLiteral("Café ü") << QByteArray("Caf\xE9 \xFC");
        QTest::newRow("euro") << QStringLiteral("5 €") << QByteArray("5 \x80");
        QTest::newRow("greek") << QStringLiteral("aΩb") << QByteArray("a?b");
        QTest::newRow("C1 control the code page replaces") << QString(QChar(0x82)) << QByteArray("?");
        QTest::newRow("surrogate pair is one character") << QStringLiteral("a\U0001F3CAb") << QByteArray("a?b");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83C)) << QByteArray("?");
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp1252::encode(text), bytes);
    }

    void canEncode_data()
    {
        QTest::addColumn<int>("codePoint");
        QTest::addColumn<bool>("expected");
        QTest::newRow("euro") << 0x20AC << true;
        QTest::newRow("undefined byte 0x90") << 0x90 << true;
        QTest::newRow("C1 control 0x80") << 0x80 << false;
        QTest::newRow("latin small f hook") << 0x192 << true;
        QTest::newRow("omega") << 0x3A9 << false;
        QTest::newRow("A with macron") << 0x100 << false;
    }

    void canEncode()
    {
        QFETCH(int, codePoint);
        QFETCH(bool, expected);
        QCOMPARE(Cp1252::canEncode(QChar(codePoint)), expected);
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
