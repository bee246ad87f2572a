#include "store/packet/xmlpacket.h"

#include <QDateTime>
#include <QImage>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString Format = QStringLiteral("quorvane-datapacket");
constexpr int Version = 1;
const QString Base64 = QStringLiteral("base64");

// XML 1.0 has no way to carry control characters or lone surrogates; a CR
// would be read back as LF.
bool fitsXml(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if ((c < u' ' && c != u'\t' && c != u'\n') || c.isSurrogate() || c == QChar(0xFFFE)
            || c == QChar(0xFFFF))
            return false;
    }
    return true;
}

void writeValue(QXmlStreamWriter &xml, const FieldDef &field, const QVariant &value)
{
    xml.writeStartElement(field.name);
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::Smallint:
        xml.writeCharacters(QString::number(value.toInt()));
        break;
    case FieldType::Boolean:
        xml.writeCharacters(value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
        break;
    case FieldType::String:
    case FieldType::Memo: {
        const QString text = value.toString();
        if (fitsXml(text)) {
            xml.writeCharacters(text);
        } else {
            xml.writeAttribute(QStringLiteral("encoding"), Base64);
            xml.writeCharacters(QString::fromLatin1(text.toUtf8().toBase64()));
        }
        break;
    }
    case FieldType::Graphic:
        xml.writeCharacters(QString::fromLatin1(
            PacketValues::encodePicture(value.value<QImage>()).toBase64()));
        break;
    case FieldType::Timestamp:
        xml.writeCharacters(value.toDateTime().toUTC().toString(Qt::ISODateWithMs));
        break;
    }
    xml.writeEndElement();
}

class Reader {
public:
    explicit Reader(const QByteArray &bytes) : xml(bytes) {}

    bool read(DataPacket &packet, QString *error)
    {
        const bool ok = readDocument(packet);
        if (!ok)
            *error = xml.hasError() ? QStringLiteral("line %1: %2")
                                          .arg(xml.lineNumber())
                                          .arg(problem.isEmpty() ? xml.errorString() : problem)
                                    : problem;
        return ok;
    }

private:
    QXmlStreamReader xml;
    QString problem;
    qint64 pixelBudget = PacketLimits::MaxPicturePixels;

    bool fail(const QString &text)
    {
        problem = text;
        xml.raiseError(text);
        return false;
    }

    // Next element start inside the current element; false at its end.
    bool nextChild()
    {
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement())
                return true;
            if (xml.isEndElement())
                return false;
            if (xml.isDTD() || xml.isEntityReference())
                return fail(QStringLiteral("declarations and entities are not allowed"));
            if (xml.isCharacters() && !xml.isWhitespace())
                return fail(QStringLiteral("unexpected text"));
        }
        return false;
    }

    bool expectChild(const QString &name)
    {
        if (!nextChild()) {
            if (!xml.hasError())
                fail(QStringLiteral("element %1 is missing").arg(name));
            return false;
        }
        if (xml.name() != name)
            return fail(QStringLiteral("found %1 where %2 belongs").arg(xml.name(), name));
        return true;
    }

    bool readDocument(DataPacket &packet)
    {
        if (!nextChild())
            return xml.hasError() ? false : fail(QStringLiteral("the file holds no XML element"));
        if (xml.name() != QLatin1String("datapacket")
            || xml.attributes().value(QLatin1String("format")) != Format)
            return fail(QStringLiteral("not a data packet"));
        if (xml.attributes().value(QLatin1String("version")) != QString::number(Version))
            return fail(QStringLiteral("unsupported version %1")
                            .arg(xml.attributes().value(QLatin1String("version"))));
        if (!expectChild(QStringLiteral("fields")) || !readFields(packet))
            return false;
        if (!expectChild(QStringLiteral("rows")) || !readRows(packet))
            return false;
        if (nextChild())
            return fail(QStringLiteral("unexpected element %1").arg(xml.name()));
        while (!xml.hasError() && !xml.atEnd()) {
            xml.readNext();
            if (xml.isDTD() || xml.isStartElement())
                return fail(QStringLiteral("content after the data packet"));
        }
        if (xml.hasError())
            return false;
        if (const QString bad = packet.check(); !bad.isEmpty())
            return fail(bad);
        return true;
    }

    bool readFields(DataPacket &packet)
    {
        while (nextChild()) {
            if (xml.name() != QLatin1String("field"))
                return fail(QStringLiteral("unexpected element %1").arg(xml.name()));
            if (packet.fields.size() >= PacketLimits::MaxFields)
                return fail(QStringLiteral("too many fields"));
            const QXmlStreamAttributes a = xml.attributes();
            FieldDef field;
            field.name = a.value(QLatin1String("name")).toString();
            bool sizeOk = true;
            if (a.hasAttribute(QLatin1String("size")))
                field.size = a.value(QLatin1String("size")).toInt(&sizeOk);
            const QStringView required = a.value(QLatin1String("required"));
            if (!PacketValues::typeFromName(a.value(QLatin1String("type")).toString(), field.type)
                || !sizeOk || (required != QLatin1String("true") && required != QLatin1String("false")))
                return fail(QStringLiteral("field %1 is badly declared").arg(field.name.left(80)));
            field.required = required == QLatin1String("true");
            packet.fields.append(field);
            if (nextChild())
                return fail(QStringLiteral("unexpected element %1").arg(xml.name()));
        }
        return !xml.hasError();
    }

    bool readRows(DataPacket &packet)
    {
        bool countOk = false;
        const int count = xml.attributes().value(QLatin1String("count")).toInt(&countOk);
        if (!countOk || count < 0 || count > PacketLimits::MaxRows)
            return fail(QStringLiteral("the row count is missing or out of range"));
        if (const QString bad = packet.check(); !bad.isEmpty())
            return fail(bad);
        while (nextChild()) {
            if (xml.name() != QLatin1String("row"))
                return fail(QStringLiteral("unexpected element %1").arg(xml.name()));
            if (packet.rows.size() >= count)
                return fail(QStringLiteral("more rows than the declared %1").arg(count));
            QVariantList row(packet.fields.size());
            if (!readRow(packet, row))
                return false;
            packet.rows.append(row);
        }
        if (xml.hasError())
            return false;
        if (packet.rows.size() != count)
            return fail(QStringLiteral("%1 rows where %2 were declared").arg(packet.rows.size()).arg(count));
        return true;
    }

    bool readRow(const DataPacket &packet, QVariantList &row)
    {
        while (nextChild()) {
            const qsizetype index = packet.fieldIndex(xml.name().toString());
            if (index < 0 || !row[index].isNull())
                return fail(QStringLiteral("unexpected value %1").arg(xml.name()));
            const bool base64 = xml.attributes().value(QLatin1String("encoding")) == Base64;
            const QString text = xml.readElementText();
            if (xml.hasError())
                return false;
            if (!parseValue(packet.fields[index], text, base64, row[index]))
                return false;
        }
        return !xml.hasError();
    }

    bool parseValue(const FieldDef &field, const QString &text, bool base64, QVariant &value)
    {
        bool ok = false;
        switch (field.type) {
        case FieldType::Integer:
        case FieldType::Smallint: {
            const int number = text.toInt(&ok);
            value = number;
            break;
        }
        case FieldType::Boolean:
            ok = text == QLatin1String("true") || text == QLatin1String("false");
            value = text == QLatin1String("true");
            break;
        case FieldType::String:
        case FieldType::Memo:
            if (!base64) {
                ok = true;
                value = text;
                break;
            }
            if (auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(),
                                                              QByteArray::AbortOnBase64DecodingErrors)) {
                ok = true;
                value = QString::fromUtf8(*decoded);
            }
            break;
        case FieldType::Graphic: {
            auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
            QImage picture;
            QString why;
            if (!decoded || !PacketValues::decodePicture(*decoded, pixelBudget, picture, &why))
                return fail(why.isEmpty() ? QStringLiteral("a picture is not base64") : why);
            ok = true;
            value = picture;
            break;
        }
        case FieldType::Timestamp: {
            const QDateTime stamp = QDateTime::fromString(text, Qt::ISODateWithMs);
            ok = stamp.isValid();
            value = stamp;
            break;
        }
        }
        return ok ? true
                  : fail(QStringLiteral("a value of field %1 is not a valid %2")
                             .arg(field.name, PacketValues::typeName(field.type)));
    }
};

} // namespace

bool XmlPacket::write(const DataPacket &packet, QIODevice &device, QString *error)
{
    if (const QString bad = packet.check(); !bad.isEmpty()) {
        *error = bad;
        return false;
    }
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("datapacket"));
    xml.writeAttribute(QStringLiteral("format"), Format);
    xml.writeAttribute(QStringLiteral("version"), QString::number(Version));
    xml.writeStartElement(QStringLiteral("fields"));
    for (const FieldDef &field : packet.fields) {
        xml.writeEmptyElement(QStringLiteral("field"));
        xml.writeAttribute(QStringLiteral("name"), field.name);
        xml.writeAttribute(QStringLiteral("type"), PacketValues::typeName(field.type));
        if (field.size != 0)
            xml.writeAttribute(QStringLiteral("size"), QString::number(field.size));
        xml.writeAttribute(QStringLiteral("required"),
                           field.required ? QStringLiteral("true") : QStringLiteral("false"));
    }
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("rows"));
    xml.writeAttribute(QStringLiteral("count"), QString::number(packet.rows.size()));
    for (const QVariantList &row : packet.rows) {
        xml.writeStartElement(QStringLiteral("row"));
        for (qsizetype i = 0; i < packet.fields.size(); ++i) {
            if (!row[i].isNull())
                writeValue(xml, packet.fields[i], row[i]);
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError()) {
        *error = QStringLiteral("cannot write: %1").arg(device.errorString());
        return false;
    }
    return true;
}

bool XmlPacket::read(QIODevice &device, DataPacket &packet, QString *error)
{
    QByteArray bytes;
    if (!PacketValues::readAll(device, bytes, error))
        return false;
    DataPacket result;
    if (!Reader(bytes).read(result, error))
        return false;
    packet = std::move(result);
    return true;
}
