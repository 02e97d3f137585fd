#pragma once

#include "content/SafeFile.h"

#include <QByteArray>
#include <QFile>

// One opening of a profile file: 45-byte records numbered from 1. A record past the end of
// the file reads as zeros. Each write is one positioned write, flushed before it returns, so
// a crash can never leave a record half-written beside intact ones. Only an existing regular
// file is opened, never through a symbolic link; a missing profile is never created here.
class ProfileFile
{
public:
    static constexpr int RecordSize = 45;
    static constexpr int MaxTextLength = RecordSize - 2;

    enum class Access { Read, Update };

    explicit ProfileFile(const QString &path, Access access = Access::Update);

    bool isOpen() const { return m_file.isOpen(); }
    SafeFile::Status status() const { return m_status; }
    qint64 size() const { return isOpen() ? m_file.size() : 0; }

    QByteArray readRecords(qint64 first, qint64 count);
    QByteArray readRecord(qint64 number) { return readRecords(number, 1); }
    QByteArray readText(qint64 number);
    qint16 readInteger(qint64 number);

    bool writeRecords(qint64 first, const QByteArray &records);
    bool writeText(qint64 number, const QByteArray &text);
    bool writeInteger(qint64 number, qint16 value);

    // The bytes of one record holding a text or an integer, zero-padded.
    static QByteArray textRecord(const QByteArray &text);
    static QByteArray integerRecord(qint16 value);
    static qint16 integerAt(const QByteArray &records, qint64 index);

private:
    QFile m_file;
    SafeFile::Status m_status;
    bool m_writable;
};
