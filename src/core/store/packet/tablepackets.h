#pragma once

#include "store/packet/datapacket.h"
#include "model/tables.h"

// The field lists of the three data files and the copies between their
// packets and the table rows. A file takes the fields stored in it: rows are
// read by field name, a field the file lacks leaves the row's default, a
// field the table does not know is ignored.
namespace TablePackets {

// Empty packets carrying the field list each file is created with.
DataPacket graphicLayout();
DataPacket paramLayout();
DataPacket controlLayout();

DataPacket fromRows(const QList<GraphRow> &rows);
DataPacket fromRows(const QList<ParamRow> &rows);
DataPacket fromRows(const QList<ControlRow> &rows);

QList<GraphRow> graphRows(const DataPacket &packet);
QList<ParamRow> paramRows(const DataPacket &packet);
QList<ControlRow> controlRows(const DataPacket &packet);

// Empty when the packet holds every required field of the layout (a file of
// the wrong kind does not); else names the first one missing.
QString missingField(const DataPacket &packet, const DataPacket &layout);

} // namespace TablePackets
