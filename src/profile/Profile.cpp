#include "profile/Profile.h"

#include "base/GameFolder.h"
#include "content/Ansi.h"
#include "content/CategoryTable.h"
#include "profile/LoginRules.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLayout.h"

#include <QDir>
#include <QFileInfo>

using namespace ProfileLayout;

namespace {
// Translated where they are used, in the player's language.
const char *const WrongPassword = QT_TRANSLATE_NOOP("Profile", "La password inserita non è corretta :P");
const char *const ForeignProfile
    = QT_TRANSLATE_NOOP("Profile", "Il file utente appartiene ad un altro... non facciamo i furbi ;)");
const char *const DamagedProfile = QT_TRANSLATE_NOOP(
    "Profile", "Il file utente è danneggiato: lo stato del gioco non si può leggere. "
               "Il file non è stato modificato; ripristinane una copia o crea un altro utente.");
const char *const LinkedProfile = QT_TRANSLATE_NOOP(
    "Profile", "Il file utente %1 è un collegamento ad un altro file: il gioco non lo usa. "
               "Mettici al suo posto il file utente vero.");
const char *const UnreadableProfile = QT_TRANSLATE_NOOP(
    "Profile", "Il file utente %1 non si può leggere: controlla che sia un file e che si possa aprire.");
const char *const ReadOnlyProfile = QT_TRANSLATE_NOOP(
    "Profile", "Il file utente %1 non si può scrivere: i progressi non verrebbero salvati. "
               "Controlla che il file non sia di sola lettura.");
const char *const CannotSaveStage = QT_TRANSLATE_NOOP(
    "Profile", "Impossibile salvare nel file utente le categorie appena sbloccate: controlla "
               "che il file si possa scrivere. Il gioco riproverà al prossimo accesso.");
const char *const CannotCreate
    = QT_TRANSLATE_NOOP("Profile", "Impossibile creare il file utente nella cartella User: controlla che la "
                                   "cartella esista e che si possa scrivere.");

QString plainText(const QByteArray &stored)
{
    return Ansi::decode(Ansi::shiftedDown(stored).value_or(QByteArray()));
}

// Names and passwords are checked by LoginRules before they get here, so they always shift.
QByteArray storedText(const QString &text)
{
    return Ansi::shiftedUp(Ansi::encode(text)).value_or(QByteArray());
}

QString slotText(int record, qint32 value)
{
    if (record == TimeRecord)
        return QStringLiteral("%1").arg(qBound<qint32>(0, value, Profile::MaxSeconds), 6, 10,
                                        QLatin1Char('0'));
    return QString::number(value);
}

QString shownPath(const QString &name)
{
    return GameFolder::UserDir + name + GameFolder::ProfileExtension;
}
} // namespace

Profile::Profile(const CategoryTable &table)
    : m_table(table)
{ }

QString Profile::pathFor(const QString &name)
{
    return GameFolder::path(GameFolder::UserDir + name + GameFolder::ProfileExtension);
}

QString Profile::name() const
{
    return plainText(ProfileFile(path(), ProfileFile::Access::Read).readText(UserRecord));
}

QString Profile::listSlot(int record, int index) const
{
    const QList<QByteArray> pieces
        = ProfileFile(path(), ProfileFile::Access::Read).readText(record).split('|');
    if (index < 1 || index > pieces.size())
        return QString();
    return QString::fromLatin1(pieces.at(index - 1));
}

bool Profile::replaceListSlot(int record, int index, const QString &value)
{
    const ListShape shape = listShape(record);
    if (index < 1 || index > shape.slotCount)
        return false;
    ProfileFile file(path());
    QList<QByteArray> pieces = file.readText(record).split('|');
    // A short list gets its missing pieces as zeros rather than losing the new value.
    while (pieces.size() < shape.slotCount)
        pieces.append(QByteArray(shape.slotWidth, '0'));
    pieces[index - 1] = value.toLatin1();
    QByteArray text;
    for (int i = 0; i < shape.slotCount; ++i)
        text += pieces.at(i) + '|';
    return file.writeText(record, text.left(shape.length));
}

// A missing or unreadable slot reads as 0.
Game::GameTypeState Profile::gameTypeState(int gameType) const
{
    return Game::GameTypeState(listSlot(GroupRecord, gameType).toInt());
}

bool Profile::setGameTypeState(int gameType, Game::GameTypeState state)
{
    return replaceListSlot(GroupRecord, gameType, slotText(GroupRecord, qint16(state)));
}

Game::CategoryState Profile::categoryState(int category) const
{
    return Game::CategoryState(listSlot(CategoryRecord, category).toInt());
}

bool Profile::setCategoryState(int category, Game::CategoryState state)
{
    return replaceListSlot(CategoryRecord, category, slotText(CategoryRecord, qint16(state)));
}

qint32 Profile::playTime(int gameType) const
{
    return listSlot(TimeRecord, gameType).toInt();
}

bool Profile::setPlayTime(int gameType, qint32 seconds)
{
    return replaceListSlot(TimeRecord, gameType, slotText(TimeRecord, seconds));
}

bool Profile::timesSent() const
{
    return ProfileFile(path(), ProfileFile::Access::Read).readInteger(SentRecord) == 1;
}

bool Profile::setTimesSent(bool sent)
{
    return ProfileFile(path()).writeInteger(SentRecord, sent ? 1 : 0);
}

QVector<qint16> Profile::solvedFlags(int first, int count) const
{
    QVector<qint16> flags;
    if (first < 1 || count <= 0)
        return flags;
    const QByteArray records
        = ProfileFile(path(), ProfileFile::Access::Read).readRecords(first + FirstItemRecord - 1, count);
    flags.reserve(count);
    for (int i = 0; i < count; ++i)
        flags.append(ProfileFile::integerAt(records, i));
    return flags;
}

qint16 Profile::solvedCount(int category) const
{
    const qint16 base = m_table.itemBase(category);
    if (!Game::isCategory(category) || base < 0)
        return 0;
    // Only a flag of 1 is a solved picture; whatever else a damaged record holds is not.
    return qint16(solvedFlags(base + 1, m_table.count(category)).count(qint16(1)));
}

qint16 Profile::solvedFlag(int picture) const
{
    if (picture < 1)
        return 0;
    return ProfileFile(path(), ProfileFile::Access::Read).readInteger(picture + FirstItemRecord - 1);
}

bool Profile::setSolvedFlag(int picture, qint16 flag)
{
    if (picture < 1)
        return false;
    return ProfileFile(path()).writeInteger(picture + FirstItemRecord - 1, flag);
}

QString Profile::existingName(const QString &name)
{
    const QFileInfo exact(pathFor(name));
    if (exact.exists() || exact.isSymLink())
        return name;
    // File names are case-sensitive on some systems and not on others: one player, one profile.
    const QStringList entries
        = QDir(GameFolder::path(GameFolder::UserDir))
              .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (!entry.endsWith(GameFolder::ProfileExtension))
            continue;
        const QString stem = entry.chopped(GameFolder::ProfileExtension.size());
        if (stem.compare(name, Qt::CaseInsensitive) == 0)
            return stem;
    }
    return name;
}

Result<Profile::Admission> Profile::logIn(const QString &name, const QString &password)
{
    m_candidate = {};
    // A name the profile cannot hold never reaches the file system.
    const QString problem = LoginRules::problemWith(name, password);
    if (!problem.isEmpty())
        return fail(problem);
    if (!QFileInfo(GameFolder::path(GameFolder::UserDir)).isDir())
        return fail(tr(CannotCreate));

    const QString found = existingName(name);
    ProfileFile file(pathFor(found));
    switch (file.status()) {
    case SafeFile::Status::Missing:
        m_candidate = {found, name};
        return Admission::Unknown;
    case SafeFile::Status::Link:
        return fail(tr(LinkedProfile).arg(shownPath(found)));
    case SafeFile::Status::NotRegular:
        return fail(tr(UnreadableProfile).arg(shownPath(found)));
    case SafeFile::Status::Unreadable:
        // Readable but not writable: the game could not keep the player's progress.
        return fail(tr(ProfileFile(pathFor(found), ProfileFile::Access::Read).isOpen() ? ReadOnlyProfile
                                                                                       : UnreadableProfile)
                        .arg(shownPath(found)));
    case SafeFile::Status::Ok:
        break;
    }
    // An empty file holds nothing to lose: it is where an earlier refusal to create left off.
    if (file.size() == 0) {
        m_candidate = {found, name};
        return Admission::Unknown;
    }
    // The whole layout first, so that damage is never taken for a wrong name or password.
    if (!isWellFormed(file))
        return fail(tr(DamagedProfile));
    // A profile belongs to the name written inside it, letter for letter: "mario" may share
    // Mario's file, never his profile.
    if (plainText(file.readText(UserRecord)) != name)
        return fail(tr(ForeignProfile), FailureKind::ForeignProfile);
    if (plainText(file.readText(PasswordRecord)) != password)
        return fail(tr(WrongPassword), FailureKind::WrongPassword);
    m_name = found;
    return Admission::Admitted;
}

bool Profile::isWellFormed(ProfileFile &file)
{
    if (file.size() < TimeRecord * ProfileFile::RecordSize)
        return false;
    const QByteArray records = file.readRecords(UserRecord, TimeRecord);
    for (int record = UserRecord; record <= TimeRecord; ++record) {
        const QByteArray bytes = records.mid((record - 1) * ProfileFile::RecordSize, ProfileFile::RecordSize);
        const int length = quint8(bytes[0]) | (quint8(bytes[1]) << 8);
        if (length > ProfileFile::MaxTextLength)
            return false;
        const QByteArray text = bytes.mid(2, length);
        const bool shifts = Ansi::shiftedDown(text).has_value();
        if (record == UserRecord && (text.isEmpty() || !shifts))
            return false;
        if (record == PasswordRecord && !shifts)
            return false;
        if (record >= GroupRecord && !isWellFormedList(record, text))
            return false;
    }
    return true;
}

Result<> Profile::create(const QString &password)
{
    if (m_candidate.fileName.isEmpty())
        return fail(tr(CannotCreate));
    const auto [name, typedName] = std::exchange(m_candidate, {});
    // The five records of a new profile go down in one write: a crash leaves all or none.
    const QByteArray records = ProfileFile::textRecord(storedText(typedName))
                               + ProfileFile::textRecord(storedText(password))
                               + ProfileFile::textRecord(NewGroup) + ProfileFile::textRecord(NewCategories)
                               + ProfileFile::textRecord(NewTime);
    // A new profile never replaces anything that appeared meanwhile, nor follows a link; an empty
    // file is filled in.
    ProfileFile file(pathFor(name));
    const bool written = file.status() == SafeFile::Status::Missing ? SafeFile::create(pathFor(name), records)
                         : file.isOpen() && file.size() == 0        ? file.writeRecords(UserRecord, records)
                                                                    : false;
    if (!written)
        return fail(tr(CannotCreate));
    m_name = name;
    return {};
}

Result<Unlock::Opened> Profile::checkUnlock()
{
    ProfileFile file(path());
    const Unlock::States now {file.readText(CategoryRecord), file.readText(GroupRecord)};
    const Unlock::States next = Unlock::nextStage(now);
    // Both records are rewritten, changed or not, in one write so a stage is never half applied.
    if (!file.writeRecords(GroupRecord,
                           ProfileFile::textRecord(next.groups) + ProfileFile::textRecord(next.categories)))
        return fail(tr(CannotSaveStage));
    return Unlock::opened(now, next);
}
