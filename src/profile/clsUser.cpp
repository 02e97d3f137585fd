#include "profile/clsUser.h"

#include "content/Ansi.h"
#include "content/mdlGeneral.h"
#include "profile/LoginRules.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLayout.h"
#include "profile/Unlock.h"
#include "base/Messages.h"
#include "base/mdlConst.h"

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
    return shiftedDown(ProfileFile(profilePath()).readText(UserRecord));
}

void clsUser::setUser(const QString &strUser)
{
    ProfileFile(profilePath()).writeText(UserRecord, shiftedUp(strUser));
}

QString clsUser::pwd() const
{
    return shiftedDown(ProfileFile(profilePath()).readText(PasswordRecord));
}

void clsUser::setPwd(const QString &strPasw)
{
    ProfileFile(profilePath()).writeText(PasswordRecord, shiftedUp(strPasw));
}

QString clsUser::listSlot(int record, int index) const
{
    const QList<QByteArray> pieces = ProfileFile(profilePath()).readText(record).split('|');
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
qint16 clsUser::Group(int intIndex) const
{
    return qint16(listSlot(GroupRecord, intIndex).toInt());
}

bool clsUser::setGroup(int intIndex, qint16 intEnabled)
{
    return replaceListSlot(GroupRecord, intIndex, slotText(GroupRecord, intEnabled));
}

qint16 clsUser::Categorie(int intCategoria) const
{
    return qint16(listSlot(CategoryRecord, intCategoria).toInt());
}

bool clsUser::setCategorie(int intCategoria, qint16 intState)
{
    return replaceListSlot(CategoryRecord, intCategoria, slotText(CategoryRecord, intState));
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
    return ProfileFile(profilePath()).readInteger(SentRecord);
}

bool clsUser::setRecord(qint16 intRecord)
{
    return ProfileFile(profilePath()).writeInteger(SentRecord, intRecord);
}

qint16 clsUser::GetLastItem(int c) const
{
    qint16 last = 0;
    for (int k = 1; k <= c && k <= mdlConst::CategoryCount; ++k)
        last = qint16(last + mdlGeneral::GetCatCount(k));
    return last;
}

QVector<qint16> clsUser::Items(int first, int count) const
{
    QVector<qint16> flags;
    if (first < 1 || count <= 0)
        return flags;
    const QByteArray records = ProfileFile(profilePath()).readRecords(first + FirstItemRecord - 1, count);
    flags.reserve(count);
    for (int i = 0; i < count; ++i)
        flags.append(ProfileFile::integerAt(records, i));
    return flags;
}

qint16 clsUser::Risolti(int intIndex) const
{
    const int first = GetLastItem(intIndex - 1) + 1;
    const int last = GetLastItem(intIndex);
    qint16 solved = 0;
    for (qint16 flag : Items(first, last - first + 1))
        solved = qint16(solved + flag);
    return solved;
}

qint16 clsUser::Item(int intIndex) const
{
    if (intIndex < 1)
        return 0;
    return ProfileFile(profilePath()).readInteger(intIndex + FirstItemRecord - 1);
}

bool clsUser::setItem(int intIndex, qint16 intValue)
{
    if (intIndex < 1)
        return false;
    return ProfileFile(profilePath()).writeInteger(intIndex + FirstItemRecord - 1, intValue);
}

bool clsUser::Login(const QString &strUser, const QString &strPasw)
{
    // A name the profile cannot hold never reaches the file system.
    const QString problem = LoginRules::problemWith(strUser, strPasw);
    if (!problem.isEmpty()) {
        Messages::warn(problem);
        return false;
    }

    curUser = strUser;
    ProfileFile file(profilePath());
    if (!file.isOpen()) {
        Messages::warn(CannotCreate);
        return false;
    }
    const QString storedName = shiftedDown(file.readText(UserRecord));

    if (storedName == strUser) {
        if (shiftedDown(file.readText(PasswordRecord)) != strPasw) {
            Messages::warn(WrongPassword);
            return false;
        }
        // The menu and the screens read these records; a damaged one is refused, not repaired.
        for (int record : {GroupRecord, CategoryRecord, TimeRecord}) {
            if (!isWellFormedList(record, file.readText(record))) {
                Messages::warn(DamagedProfile);
                return false;
            }
        }
        return true;
    }

    if (!storedName.isEmpty()) {
        Messages::warn(ForeignProfile);
        return false;
    }

    if (!Messages::ask(CreateQuestion))
        return false;
    // The five records of a new profile go down in one write: a crash leaves all or none.
    const QByteArray records = ProfileFile::textRecord(shiftedUp(strUser))
                               + ProfileFile::textRecord(shiftedUp(strPasw))
                               + ProfileFile::textRecord(NewGroup) + ProfileFile::textRecord(NewCategories)
                               + ProfileFile::textRecord(NewTime);
    if (!file.writeRecords(UserRecord, records)) {
        Messages::warn(CannotCreate);
        return false;
    }
    return true;
}

void clsUser::CheckUnlock()
{
    ProfileFile file(profilePath());
    const Unlock::States next
        = Unlock::nextStage({file.readText(CategoryRecord), file.readText(GroupRecord)});
    // Both records are rewritten, changed or not, in one write so a stage is never half applied.
    file.writeRecords(GroupRecord,
                      ProfileFile::textRecord(next.groups) + ProfileFile::textRecord(next.categories));
}
