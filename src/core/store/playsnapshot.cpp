#include "store/playsnapshot.h"

#include "store/defaultsettings.h"
#include "store/playstore.h"
#include "text/linereader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

PlaySnapshot::PlaySnapshot()
{
    useSettings({});
}

void PlaySnapshot::useSettings(QList<ParamRow> settings)
{
    for (const DefaultSetting &setting : defaultSettings()) {
        const QString key = QString::fromLatin1(setting.key);
        const bool present = std::any_of(settings.cbegin(), settings.cend(), [&key](const ParamRow &row) {
            return row.Type.compare(key, Qt::CaseInsensitive) == 0;
        });
        if (!present)
            settings.append({key, QString::fromLatin1(setting.text), setting.filled, setting.number});
    }
    tables.params = std::move(settings);
}

PlaySnapshot::Format PlaySnapshot::formatOf(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("qvb"), Qt::CaseInsensitive) == 0
               ? Format::ExchangeFile
               : Format::PlayFile;
}

PlaySnapshot::Loaded PlaySnapshot::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        data.clearplay();
        return {false, PlayReadError::None, file.errorString()};
    }
    const Format format = formatOf(path);
    return load(file, format, format == Format::PlayFile ? QFileInfo(path).completeBaseName() : path);
}

PlaySnapshot::Loaded PlaySnapshot::load(QIODevice &device, Format format, const QString &name)
{
    data.clearplay();
    header = PlayRow();
    version.clear();
    if (format == Format::PlayFile) {
        const PlayReadError error = PlayFile::read(device, data, header, &version);
        if (error == PlayReadError::None)
            return {};
        return {true, error, PlayStore::corruptMessage(error, name)};
    }
    const qint64 start = device.pos();
    const PlayReadError error = ExchangeFile::read(device, data, header, &version);
    if (error == PlayReadError::None)
        return {};
    data.clearplay();
    if (error != PlayReadError::Version)
        return {true, error, ExchangeFile::corruptMessage(name)};
    device.seek(start);
    LineReader lines(device);
    lines.next();
    return {true, error, ExchangeFile::notSupportedMessage(lines.line())};
}
