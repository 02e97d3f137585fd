#include "profile/clsUser.h"

#include "base/Messages.h"
#include "base/mdlConst.h"
#include "content/Ansi.h"
#include "content/Extraction.h"
#include "content/mdlGeneral.h"
#include "profile/LoginRules.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLayout.h"
#include "profile/Unlock.h"

#include <QDir>
#include <QFileInfo>

using namespace ProfileLayout;

clsUser objUser;

namespace {
const QString WrongPassword = QStringLiteral("La password inserita non è corretta :P");
const QString CreateQuestion = QStringLiteral("L'utente non esiste, crearlo?");
const QString ForeignProfile
    = QStringLiteral("Il file utente appartiene ad un altro... non facciamo i furbi ;)");
const QString DamagedProfile
    = QStringLiteral("Il file utente è danneggiato: lo stato del gioco non si può leggere. "
                     "Il file non è stato modificato; ripristinane una copia o crea un altro utente.");
const QString LinkedProfile
    = QStringLiteral("Il file utente %1 è un collegamento ad un altro file: il gioco non lo usa. "
                     "Mettici al suo posto il file utente vero.");
const QString UnreadableProfile = QStringLiteral(
    "Il file utente %1 non si può leggere: controlla che sia un file e che si possa aprire.");
const QString ReadOnlyProfile
    = QStringLiteral("Il file utente %1 non si può scrivere: i progressi non verrebbero salvati. "
                     "Controlla che il file non sia di sola lettura.");
const QString CannotSaveStage
    = QStringLiteral("Impossibile salvare nel file utente le categorie appena sbloccate: controlla che il "
                     "file si possa scrivere. Il gioco riproverà al prossimo accesso.");
const QString CannotCreate
    = QStringLiteral("Impossibile creare il file utente nella cartella User: controlla che la cartella "
                     "esista e che si possa scrivere.");

QString shiftedDown(const QByteArray &stored)
{
    return Ansi::decode(mdlGeneral::shiftBytes(stored, 1));
}

QByteArray shiftedUp(const QString &text)
{
    return mdlGeneral::shiftBytes(Ansi::encode(text), 0);
}

QString slotText(int record, qint32 value)
{
    if (record == TimeRecord)
        return QStringLiteral("%1").arg(qBound<qint32>(0, value, clsUser::MaxSeconds), 6, 10,
                                        QLatin1Char('0'));
    return QString::number(value);
}
} // namespace

QString clsUser::profilePath(const QString &name)
{
    return mdlConst::gamePath(mdlConst::UserDir + name + mdlConst::ProfileExtension);
}

QString clsUser::user() const
{
    return shiftedDown(ProfileFile(profilePath(), ProfileFile::Access::Read).readText(UserRecord));
}

void clsUser::setUser(const QString &strUser)
{
    ProfileFile(profilePath()).writeText(UserRecord, shiftedUp(strUser));
}

QString clsUser::pwd() const
{
    return shiftedDown(ProfileFile(profilePath(), ProfileFile::Access::Read).readText(PasswordRecord));
}

void clsUser::setPwd(const QString &strPasw)
{
    ProfileFile(profilePath()).writeText(PasswordRecord, shiftedUp(strPasw));
}

QString clsUser::listSlot(int record, int index) const
{
    const QList<QByteArray> pieces
        = ProfileFile(profilePath(), ProfileFile::Access::Read).readText(record).split('|');
    if (index < 1 || index > pieces.size())
        return QString();
    return QString::fromLatin1(pieces.at(index - 1));
}

bool clsUser::replaceListSlot(int record, int index, const QString &value)
{
    const ListShape shape = listShape(record);
    if (index < 1 || index > shape.slotCount)
        return false;
    ProfileFile file(profilePath());
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
mdlConst::GameTypeState clsUser::Group(int intIndex) const
{
    return mdlConst::GameTypeState(listSlot(GroupRecord, intIndex).toInt());
}

bool clsUser::setGroup(int intIndex, mdlConst::GameTypeState intEnabled)
{
    return replaceListSlot(GroupRecord, intIndex, slotText(GroupRecord, qint16(intEnabled)));
}

mdlConst::CategoryState clsUser::Categorie(int intCategoria) const
{
    return mdlConst::CategoryState(listSlot(CategoryRecord, intCategoria).toInt());
}

bool clsUser::setCategorie(int intCategoria, mdlConst::CategoryState intState)
{
    return replaceListSlot(CategoryRecord, intCategoria, slotText(CategoryRecord, qint16(intState)));
}

qint32 clsUser::Time(int intIndex) const
{
    return listSlot(TimeRecord, intIndex).toInt();
}

bool clsUser::setTime(int intIndex, qint32 lngTime)
{
    return replaceListSlot(TimeRecord, intIndex, slotText(TimeRecord, lngTime));
}

qint16 clsUser::record() const
{
    return ProfileFile(profilePath(), ProfileFile::Access::Read).readInteger(SentRecord);
}

bool clsUser::setRecord(qint16 intRecord)
{
    return ProfileFile(profilePath()).writeInteger(SentRecord, intRecord);
}

QVector<qint16> clsUser::Items(int first, int count) const
{
    QVector<qint16> flags;
    if (first < 1 || count <= 0)
        return flags;
    const QByteArray records = ProfileFile(profilePath(), ProfileFile::Access::Read)
                                   .readRecords(first + FirstItemRecord - 1, count);
    flags.reserve(count);
    for (int i = 0; i < count; ++i)
        flags.append(ProfileFile::integerAt(records, i));
    return flags;
}

qint16 clsUser::Risolti(int intIndex) const
{
    const qint16 base = GetItemBase(intIndex);
    if (!mdlGeneral::isCategory(intIndex) || base < 0)
        return 0;
    // Only a flag of 1 is a solved picture; whatever else a damaged record holds is not.
    const QVector<qint16> flags = Items(base + 1, mdlGeneral::GetCatCount(intIndex));
    return qint16(flags.count(qint16(1)));
}

qint16 clsUser::Item(int intIndex) const
{
    if (intIndex < 1)
        return 0;
    return ProfileFile(profilePath(), ProfileFile::Access::Read).readInteger(intIndex + FirstItemRecord - 1);
}

bool clsUser::setItem(int intIndex, qint16 intValue)
{
    if (intIndex < 1)
        return false;
    return ProfileFile(profilePath()).writeInteger(intIndex + FirstItemRecord - 1, intValue);
}

QString clsUser::existingName(const QString &name)
{
    const QFileInfo exact(profilePath(name));
    if (exact.exists() || exact.isSymLink())
        return name;
    // File names are case-sensitive on some systems and not on others: one player, one profile.
    const QStringList entries
        = QDir(mdlConst::gamePath(mdlConst::UserDir))
              .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (!entry.endsWith(mdlConst::ProfileExtension))
            continue;
        const QString stem = entry.chopped(mdlConst::ProfileExtension.size());
        if (stem.compare(name, Qt::CaseInsensitive) == 0)
            return stem;
    }
    return name;
}

bool clsUser::Login(const QString &strUser, const QString &strPasw)
{
    // A name the profile cannot hold never reaches the file system.
    const QString problem = LoginRules::problemWith(strUser, strPasw);
    if (!problem.isEmpty()) {
        Messages::warn(problem);
        return false;
    }
    if (!QFileInfo(mdlConst::gamePath(mdlConst::UserDir)).isDir()) {
        Messages::warn(CannotCreate);
        return false;
    }

    curUser = existingName(strUser);
    const QString shown = mdlConst::UserDir + curUser + mdlConst::ProfileExtension;
    ProfileFile file(profilePath());
    switch (file.status()) {
    case SafeFile::Status::Missing:
        return createProfile(strPasw);
    case SafeFile::Status::Link:
        Messages::warn(LinkedProfile.arg(shown));
        return false;
    case SafeFile::Status::NotRegular:
        Messages::warn(UnreadableProfile.arg(shown));
        return false;
    case SafeFile::Status::Unreadable:
        // Readable but not writable: the game could not keep the player's progress.
        Messages::warn((ProfileFile(profilePath(), ProfileFile::Access::Read).isOpen() ? ReadOnlyProfile
                                                                                       : UnreadableProfile)
                           .arg(shown));
        return false;
    case SafeFile::Status::Ok:
        break;
    }
    // An empty file holds nothing to lose: it is where an earlier refusal to create left off.
    if (file.size() == 0)
        return createProfile(strPasw, &file);

    // The whole layout first, so that damage is never taken for a wrong name or password.
    if (!isWellFormed(file)) {
        Messages::warn(DamagedProfile);
        return false;
    }
    if (shiftedDown(file.readText(UserRecord)) != curUser) {
        Messages::warn(ForeignProfile);
        return false;
    }
    if (shiftedDown(file.readText(PasswordRecord)) != strPasw) {
        Messages::warn(WrongPassword);
        return false;
    }
    // A stage whose writing failed after the last win opens now.
    CheckUnlock();
    return true;
}

bool clsUser::isWellFormed(ProfileFile &file)
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
        bool shifts = true;
        mdlGeneral::shiftBytes(text, 1, &shifts);
        if (record == UserRecord && (text.isEmpty() || !shifts))
            return false;
        if (record == PasswordRecord && !shifts)
            return false;
        if (record >= GroupRecord && !isWellFormedList(record, text))
            return false;
    }
    return true;
}

bool clsUser::createProfile(const QString &strPasw, ProfileFile *emptyFile)
{
    if (!Messages::ask(CreateQuestion))
        return false;
    // The five records of a new profile go down in one write: a crash leaves all or none.
    const QByteArray records = ProfileFile::textRecord(shiftedUp(curUser))
                               + ProfileFile::textRecord(shiftedUp(strPasw))
                               + ProfileFile::textRecord(NewGroup) + ProfileFile::textRecord(NewCategories)
                               + ProfileFile::textRecord(NewTime);
    // A new profile never replaces anything that appeared meanwhile, nor follows a link.
    const bool written
        = emptyFile ? emptyFile->writeRecords(UserRecord, records) : SafeFile::create(profilePath(), records);
    if (!written) {
        Messages::warn(CannotCreate);
        return false;
    }
    return true;
}

bool clsUser::CheckUnlock()
{
    ProfileFile file(profilePath());
    const Unlock::States next
        = Unlock::nextStage({file.readText(CategoryRecord), file.readText(GroupRecord)});
    // Both records are rewritten, changed or not, in one write so a stage is never half applied.
    if (file.writeRecords(GroupRecord,
                          ProfileFile::textRecord(next.groups) + ProfileFile::textRecord(next.categories)))
        return true;
    Messages::warn(CannotSaveStage);
    return false;
}
