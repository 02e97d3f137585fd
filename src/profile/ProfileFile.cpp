#include "profile/ProfileFile.h"

#include <QtEndian>

ProfileFile::ProfileFile(const QString &path, Access access)
    : m_status(SafeFile::open(m_file, path,
                              access == Access::Update ? QIODevice::ReadWrite : QIODevice::ReadOnly, false))
    , m_writable(access == Access::Update)
{ }

QByteArray ProfileFile::readRecords(qint64 first, qint64 count)
{
    QByteArray bytes;
    if (isOpen() && count > 0 && m_file.seek((first - 1) * RecordSize))
        bytes = m_file.read(count * RecordSize);
    bytes.resize(count * RecordSize, '\0');
    return bytes;
}

QByteArray ProfileFile::readText(qint64 number)
{
    const QByteArray record = readRecord(number);
    // A damaged length can claim more than a record holds: keep what the record has.
    const int length = qMin<int>(qFromLittleEndian<quint16>(record.constData()), MaxTextLength);
    return record.mid(2, length);
}

qint16 ProfileFile::readInteger(qint64 number)
{
    return integerAt(readRecord(number), 0);
}

bool ProfileFile::writeRecords(qint64 first, const QByteArray &records)
{
    if (!isOpen() || !m_writable || !m_file.seek((first - 1) * RecordSize))
        return false;
    if (m_file.write(records) != records.size())
        return false;
    return m_file.flush();
}

bool ProfileFile::writeText(qint64 number, const QByteArray &text)
{
    if (text.size() > MaxTextLength)
        return false;
    return writeRecords(number, textRecord(text));
}

bool ProfileFile::writeInteger(qint64 number, qint16 value)
{
    return writeRecords(number, integerRecord(value));
}

QByteArray ProfileFile::textRecord(const QByteArray &text)
{
    QByteArray record(RecordSize, '\0');
    qToLittleEndian<quint16>(quint16(text.size()), record.data());
    record.replace(2, text.size(), text);
    record.resize(RecordSize);
    return record;
}

QByteArray ProfileFile::integerRecord(qint16 value)
{
    QByteArray record(RecordSize, '\0');
    qToLittleEndian<qint16>(value, record.data());
    return record;
}

qint16 ProfileFile::integerAt(const QByteArray &records, qint64 index)
{
    return qFromLittleEndian<qint16>(records.constData() + index * RecordSize);
}
