// The data packet layouts: round trips through both, and readers that refuse
// damaged input with a reason instead of crashing.

#include "store/packet/binarypacket.h"
#include "store/packet/datapacketfile.h"
#include "store/packet/xmlpacket.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>

namespace {

using Read = bool (*)(QIODevice &, DataPacket &, QString *);
using Write = bool (*)(const DataPacket &, QIODevice &, QString *);

struct Layout {
    Read read;
    Write write;
};

Layout layout(const QString &name)
{
    if (name == QLatin1String("xml"))
        return {XmlPacket::read, XmlPacket::write};
    return {BinaryPacket::read, BinaryPacket::write};
}

QByteArray written(const QString &layoutName, const DataPacket &packet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!layout(layoutName).write(packet, buffer, &error))
        qFatal("cannot write the test packet: %s", qPrintable(error));
    return bytes;
}

bool readBack(const QString &layoutName, const QByteArray &bytes, DataPacket &packet, QString &error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return layout(layoutName).read(buffer, packet, &error);
}

// A device that never ends, or one that fails at once.
class EndlessDevice : public QIODevice {
public:
    explicit EndlessDevice(bool fails) : fails(fails) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 delivered = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (fails) {
            setErrorString(QStringLiteral("the disk is gone"));
            return -1;
        }
        std::fill_n(data, maxSize, ' ');
        delivered += maxSize;
        return maxSize;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool fails;
};

QImage picture(QImage::Format format)
{
    QImage image(39, 33, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 0; i < 33; ++i)
        image.setPixel(i, i, qRgb(0, 0, 0));
    image.setPixel(38, 0, qRgb(30, 140, 200));
    return image.convertToFormat(format, Qt::ThresholdDither);
}

DataPacket everyType()
{
    DataPacket packet;
    packet.fields = {{QStringLiteral("Id"), FieldType::Integer, 0, true},
                     {QStringLiteral("x1"), FieldType::Smallint, 0, false},
                     {QStringLiteral("Name"), FieldType::String, 20, false},
                     {QStringLiteral("Notes"), FieldType::Memo, 0, false},
                     {QStringLiteral("Filled"), FieldType::Boolean, 0, false},
                     {QStringLiteral("Graphic"), FieldType::Graphic, 0, false},
                     {QStringLiteral("TST"), FieldType::Timestamp, 0, false}};
    const QDateTime stamp(QDate(2009, 3, 14), QTime(15, 9, 26, 535), Qt::UTC);
    packet.rows = {
        {-2147483647 - 1, -32768, QStringLiteral("Court"), QStringLiteral("two\nlines"), true,
         picture(QImage::Format_Mono), stamp},
        {2147483647, 32767, QString(), QString(), false, picture(QImage::Format_RGB888),
         stamp.addDays(-4000)},
        {0, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
    };
    return packet;
}

DataPacket awkwardTexts()
{
    DataPacket packet;
    packet.fields = {{QStringLiteral("Text"), FieldType::Memo, 0, true}};
    const QStringList texts = {QStringLiteral("line\r\nend"), QStringLiteral("  padded  "),
                               QStringLiteral("bell\x07 and nul") + QChar(0),
                               QStringLiteral("<tag> & \"quotes\" ]]>"),
                               QStringLiteral("\u00e9t\u00e9 \U0001F3CA"), QStringLiteral("\t")};
    for (const QString &text : texts)
        packet.rows.append({text});
    return packet;
}

void compareImages(const QImage &actual, const QImage &expected)
{
    QCOMPARE(actual.size(), expected.size());
    QCOMPARE(actual.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
}

quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

// A binary packet with its checksum made right again after a change, so that
// the reader's later checks are reached.
QByteArray resealed(QByteArray bytes)
{
    bytes.chop(4);
    const quint32 crc = qToLittleEndian(crcOf(bytes));
    return bytes.append(reinterpret_cast<const char *>(&crc), 4);
}

template <typename T>
QByteArray patched(QByteArray bytes, int at, T value)
{
    const T le = qToLittleEndian(value);
    bytes.replace(at, sizeof le, reinterpret_cast<const char *>(&le), sizeof le);
    return bytes;
}

// One field "Type" string 8, one row "Court": the field count sits at byte
// 10, the field's type at 20 and size at 21, the row count at 26, the row's
// presence byte at 30 and its text length at 31.
QByteArray smallBinary()
{
    DataPacket packet;
    packet.fields = {{QStringLiteral("Type"), FieldType::String, 8, true}};
    packet.rows = {{QStringLiteral("Court")}};
    return written(QStringLiteral("binary"), packet);
}

const char SmallXml[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<datapacket format="quorvane-datapacket" version="1">
 <fields>
  <field name="Type" type="string" size="8" required="true"/>
  <field name="Color" type="integer" required="false"/>
 </fields>
 <rows count="1">
  <row><Type>Court</Type><Color>5</Color></row>
 </rows>
</datapacket>
)";

} // namespace

class DataPacketTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<DataPacket>("packet");
        DataPacket noRows = everyType();
        noRows.rows.clear();
        for (const char *name : {"xml", "binary"}) {
            QTest::addRow("%s every type", name) << name << everyType();
            QTest::addRow("%s awkward texts", name) << name << awkwardTexts();
            QTest::addRow("%s no rows", name) << name << noRows;
        }
    }
    void roundTrip()
    {
        QFETCH(QString, layout);
        QFETCH(DataPacket, packet);
        DataPacket read;
        QString error;
        QVERIFY2(readBack(layout, written(layout, packet), read, error), qPrintable(error));
        QCOMPARE(read.fields, packet.fields);
        QCOMPARE(read.rows.size(), packet.rows.size());
        for (qsizetype r = 0; r < packet.rows.size(); ++r) {
            for (qsizetype f = 0; f < packet.fields.size(); ++f) {
                const QVariant &expected = packet.rows[r][f];
                const QVariant &actual = read.rows[r][f];
                QCOMPARE(actual.isNull(), expected.isNull());
                if (packet.fields[f].type == FieldType::Graphic && !expected.isNull())
                    compareImages(actual.value<QImage>(), expected.value<QImage>());
                else
                    QCOMPARE(actual, expected);
            }
        }
    }

    void onePixelPicturesStayOneBit()
    {
        DataPacket packet;
        packet.fields = {{QStringLiteral("Graphic"), FieldType::Graphic, 0, true}};
        QImage marked = picture(QImage::Format_Mono);
        marked.setText(QStringLiteral("Note"), QStringLiteral("kept"));
        packet.rows = {{marked}};
        for (const QString name : {QStringLiteral("xml"), QStringLiteral("binary")}) {
            DataPacket read;
            QString error;
            QVERIFY2(readBack(name, written(name, packet), read, error), qPrintable(error));
            const QImage back = read.rows[0][0].value<QImage>();
            QCOMPARE(back.depth(), 1);
            QCOMPARE(back.text(QStringLiteral("Note")), QStringLiteral("kept"));
        }
    }

    void writerRefusesUnsoundPacket_data()
    {
        QTest::addColumn<DataPacket>("packet");
        DataPacket base;
        base.fields = {{QStringLiteral("Type"), FieldType::String, 8, true}};
        DataPacket p = base;
        p.rows = {{QVariant()}};
        QTest::newRow("required value missing") << p;
        p.rows = {{QStringLiteral("ninechars")}};
        QTest::newRow("text longer than its field") << p;
        p.rows = {{42}};
        QTest::newRow("value of the wrong type") << p;
        p = base;
        p.fields.append({QStringLiteral("type"), FieldType::Integer, 0, false});
        QTest::newRow("field declared twice") << p;
        p = base;
        p.fields[0].name = QStringLiteral("bad name");
        QTest::newRow("field name with a blank") << p;
        p = DataPacket();
        QTest::newRow("no fields") << p;
    }
    void writerRefusesUnsoundPacket()
    {
        QFETCH(DataPacket, packet);
        for (const auto &l : {layout(QStringLiteral("xml")), layout(QStringLiteral("binary"))}) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QString error;
            QVERIFY(!l.write(packet, buffer, &error));
            QVERIFY(!error.isEmpty());
            QVERIFY(bytes.isEmpty());
        }
    }

    void xmlSampleIsRead()
    {
        DataPacket packet;
        QString error;
        QVERIFY2(readBack(QStringLiteral("xml"), SmallXml, packet, error), qPrintable(error));
        QCOMPARE(packet.rows, QList<QVariantList>({{QStringLiteral("Court"), 5}}));
    }

    void xmlDamageIsRefused_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("reason");
        const QByteArray good(SmallXml);
        const auto change = [&](const char *from, const char *to) {
            QByteArray d = good;
            Q_ASSERT(d.contains(from));
            return d.replace(from, to);
        };
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("not XML") << QByteArray("\x89PNG garbage \x01\x02") << "";
        QTest::newRow("other root") << change("<datapacket format", "<table format") << "";
        QTest::newRow("other format") << change("quorvane-datapacket", "rowset") << "not a data packet";
        QTest::newRow("newer version") << change("version=\"1\">", "version=\"2\">") << "unsupported version";
        QTest::newRow("more rows declared") << change("count=\"1\"", "count=\"2\"") << "1 rows where 2";
        QTest::newRow("fewer rows declared") << change("count=\"1\"", "count=\"0\"") << "more rows than";
        QTest::newRow("huge row count") << change("count=\"1\"", "count=\"4000000000\"") << "row count";
        QTest::newRow("no row count") << change(" count=\"1\"", "") << "row count";
        QTest::newRow("not well-formed") << change("</rows>", "") << "";
        QTest::newRow("required value missing") << change("<Type>Court</Type>", "") << "required field Type";
        QTest::newRow("integer not a number") << change("<Color>5</Color>", "<Color>five</Color>") << "not a valid integer";
        QTest::newRow("integer too large") << change("<Color>5</Color>", "<Color>99999999999</Color>") << "not a valid integer";
        QTest::newRow("text longer than its field") << change("Court<", "Courtyards<") << "not a valid string";
        QTest::newRow("unknown value") << change("<Color>5</Color>", "<Colour>5</Colour>") << "unexpected value";
        QTest::newRow("value twice") << change("<Color>5</Color>", "<Color>5</Color><Color>6</Color>") << "unexpected value";
        QTest::newRow("unknown field type") << change("type=\"integer\"", "type=\"float\"") << "badly declared";
        QTest::newRow("size out of range") << change("size=\"8\"", "size=\"999999\"") << "size";
        QTest::newRow("bad picture") << change("type=\"integer\"", "type=\"graphic\"") << "picture";
        QTest::newRow("text between rows") << change("<row>", "junk<row>") << "unexpected text";
        QTest::newRow("element after root") << change("</datapacket>", "</datapacket><more/>") << "";
        QTest::newRow("entity declarations")
            << change("<datapacket", "<!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">]><datapacket")
                   .replace("Court", "&a;")
            << "declarations";
    }
    void xmlDamageIsRefused()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, reason);
        DataPacket packet;
        QString error;
        QVERIFY(!readBack(QStringLiteral("xml"), document, packet, error));
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(packet.fields.isEmpty());
    }

    void binaryDamageIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = smallBinary();
        QByteArray flipped = good;
        flipped[36] = char(flipped[36] ^ 0x20);
        QTest::newRow("empty file") << QByteArray() << "not a data packet";
        QTest::newRow("magic only") << QByteArray("QVPACKET") << "truncated";
        QTest::newRow("bad magic") << QByteArray(good).replace(0, 2, "XX") << "not a data packet";
        QTest::newRow("newer version") << resealed(patched<quint16>(good, 8, 2)) << "unsupported version";
        QTest::newRow("bad checksum") << flipped << "checksum";
        QTest::newRow("no fields") << resealed(patched<quint16>(good, 10, 0)) << "0 fields";
        QTest::newRow("huge field count") << resealed(patched<quint16>(good, 10, 65535)) << "65535 fields";
        QTest::newRow("unknown field type") << resealed(patched<quint8>(good, 20, 9)) << "badly declared";
        QTest::newRow("huge field size") << resealed(patched<quint32>(good, 21, 0xFFFFFFFF)) << "badly declared";
        QTest::newRow("more rows declared") << resealed(patched<quint32>(good, 26, 2)) << "truncated";
        QTest::newRow("fewer rows declared") << resealed(patched<quint32>(good, 26, 0)) << "follow the last row";
        QTest::newRow("huge row count") << resealed(patched<quint32>(good, 26, 0xFFFFFFFF)) << "rows";
        QTest::newRow("bad presence byte") << resealed(patched<quint8>(good, 30, 2)) << "damaged";
        QTest::newRow("huge text length") << resealed(patched<quint32>(good, 31, 0x7FFFFFFF)) << "declares";
        QTest::newRow("text longer than its field") << resealed(patched<quint32>(good, 21, 2)) << "not a valid string";
        QTest::newRow("required value missing")
            << resealed(patched<quint8>(QByteArray(good).remove(31, 9), 30, 0)) << "required";
    }
    void binaryDamageIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        DataPacket packet;
        QString error;
        QVERIFY(!readBack(QStringLiteral("binary"), bytes, packet, error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(packet.fields.isEmpty());
    }

    // Every cut of a sound file is refused (or, for XML, read whole once the
    // document has ended), and none makes the reader crash.
    void truncatedFilesAreRefused_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("xml") << "xml";
        QTest::newRow("binary") << "binary";
    }
    void truncatedFilesAreRefused()
    {
        QFETCH(QString, layout);
        const QByteArray whole = written(layout, everyType());
        const qsizetype documentEnd = layout == QLatin1String("xml")
                                          ? whole.lastIndexOf("</datapacket>") + 13
                                          : whole.size();
        for (qsizetype cut = 0; cut < whole.size(); ++cut) {
            DataPacket packet;
            QString error;
            const bool read = readBack(layout, whole.left(cut), packet, error);
            QVERIFY2(read == (cut >= documentEnd), qPrintable(QString::number(cut)));
            QVERIFY(read || !error.isEmpty());
        }
    }

    // Input is taken up to the bound on a file's size and no further; a
    // device that fails says so.
    void endlessOrFailingInputIsRefused_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("error");
        for (const char *name : {"xml", "binary"}) {
            QTest::addRow("%s, endless", name) << name << false
                                               << QStringLiteral("the file is larger than %1 bytes")
                                                      .arg(PacketLimits::MaxFileBytes);
            QTest::addRow("%s, failing", name) << name << true
                                               << QStringLiteral("the file cannot be read: the disk is gone");
        }
    }

    void endlessOrFailingInputIsRefused()
    {
        QFETCH(QString, layout);
        QFETCH(bool, fails);
        QFETCH(QString, error);
        EndlessDevice device(fails);
        DataPacket packet;
        QString problem;
        QVERIFY(!::layout(layout).read(device, packet, &problem));
        QCOMPARE(problem, error);
        QVERIFY(device.delivered <= 2 * PacketLimits::MaxFileBytes);
    }

    void fileLayoutFollowsName()
    {
        QTemporaryDir dir;
        DataPacket packet = awkwardTexts();
        QString error;
        for (const QString name : {QStringLiteral("a.XML"), QStringLiteral("b.xml"), QStringLiteral("c.cds"),
                                   QStringLiteral("d.xml.bak")}) {
            const QString path = dir.filePath(name);
            QVERIFY2(DataPacketFile::write(path, packet, &error), qPrintable(error));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.peek(5) == "<?xml", name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive));
            DataPacket read;
            QCOMPARE(DataPacketFile::read(path, read, &error), DataPacketFile::Status::Ok);
            QCOMPARE(read.rows, packet.rows);
        }
        DataPacket read;
        QCOMPARE(DataPacketFile::read(dir.filePath(QStringLiteral("none.xml")), read, &error),
                 DataPacketFile::Status::Missing);
        QFile garbage(dir.filePath(QStringLiteral("g.xml")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("no packet");
        garbage.close();
        QCOMPARE(DataPacketFile::read(garbage.fileName(), read, &error), DataPacketFile::Status::Damaged);
        QVERIFY(error.contains(QLatin1String("g.xml")));
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wparam.xml"));
        QString error;
        QVERIFY(DataPacketFile::write(path, awkwardTexts(), &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        DataPacket unsound = awkwardTexts();
        unsound.rows.append({QVariant()});
        QVERIFY(!DataPacketFile::write(path, unsound, &error));
        QVERIFY(error.contains(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("wparam.xml")});

        QVERIFY(!DataPacketFile::write(dir.filePath(QStringLiteral("missing/wcontrol.cds")),
                                       awkwardTexts(), &error));
        QVERIFY(error.contains(QLatin1String("wcontrol.cds")));
    }
};

QTEST_GUILESS_MAIN(DataPacketTest)
#include "tst_datapacket.moc"
