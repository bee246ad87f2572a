// Feeds any bytes to both data packet readers: the XML layout of the symbol
// and settings files (wgraphic.xml, wparam.xml) and the binary layout of the
// control file (wcontrol.cds). A packet a reader takes must be sound; it must
// write in both layouts and read back, and after one such trip the bytes
// written must not change any more. The rows the three tables take from it
// must go back into packets that write. Any breach aborts, so the fuzzer
// keeps the input.
#include "store/datafiles.h"
#include "store/packet/binarypacket.h"
#include "store/packet/tablepackets.h"
#include "store/packet/xmlpacket.h"

#include <QBuffer>

#include <cstdlib>

namespace {

using Reader = bool (*)(QIODevice &, DataPacket &, QString *);
using Writer = bool (*)(const DataPacket &, QIODevice &, QString *);

struct Layout {
    Reader read;
    Writer write;
};

const Layout Layouts[] = {{XmlPacket::read, XmlPacket::write}, {BinaryPacket::read, BinaryPacket::write}};

bool readPacket(const Layout &layout, QByteArray bytes, DataPacket &packet)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    return layout.read(buffer, packet, &error);
}

QByteArray writtenPacket(const Layout &layout, const DataPacket &packet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!layout.write(packet, buffer, &error))
        std::abort();
    return bytes;
}

// Written, read back and written again, the bytes are the same.
void checkTrip(const Layout &layout, const DataPacket &packet)
{
    DataPacket again;
    if (!readPacket(layout, writtenPacket(layout, packet), again) || !again.check().isEmpty())
        std::abort();
    const QByteArray once = writtenPacket(layout, again);
    DataPacket twice;
    if (!readPacket(layout, once, twice) || writtenPacket(layout, twice) != once)
        std::abort();
}

// What the data files make of a packet: rows by field name, control rows
// through testfield. Whatever came in, the tables must be writable again.
void checkTables(const DataPacket &packet)
{
    QList<ControlRow> controls;
    for (const ControlRow &row : TablePackets::controlRows(packet)) {
        if (DataFiles::testfield(row.Type) && DataFiles::testfield(row.LoginName)
            && DataFiles::testfield(row.ComputerName))
            controls.append(row);
    }
    for (const DataPacket &rows : {TablePackets::fromRows(TablePackets::graphRows(packet)),
                                   TablePackets::fromRows(TablePackets::paramRows(packet)),
                                   TablePackets::fromRows(controls)}) {
        if (!rows.check().isEmpty())
            std::abort();
        for (const Layout &layout : Layouts)
            writtenPacket(layout, rows);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const Layout &layout : Layouts) {
        DataPacket packet;
        if (!readPacket(layout, bytes, packet))
            continue;
        if (!packet.check().isEmpty())
            std::abort();
        for (const Layout &other : Layouts)
            checkTrip(other, packet);
        checkTables(packet);
    }
    return 0;
}
