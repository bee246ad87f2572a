#pragma once

#include "store/packet/datapacket.h"

// The XML layout of a data packet, used for files whose name ends in ".xml":
//
//   <datapacket format="quorvane-datapacket" version="1">
//     <fields><field name="Type" type="string" size="8" required="true"/>...</fields>
//     <rows count="2"><row><Type>Border</Type>...</row>...</rows>
//   </datapacket>
//
// A field without a value has no element in its row. Pictures are base64 PNG;
// a text holding characters XML cannot carry is base64 UTF-8 with
// encoding="base64".
namespace XmlPacket {
bool write(const DataPacket &packet, QIODevice &device, QString *error);
bool read(QIODevice &device, DataPacket &packet, QString *error);
} // namespace XmlPacket
