// What play writes to the profile: the counted seconds and the end of a category.

#include "TestSupport.h"
#include "play/PlayProgress.h"
#include "profile/clsUser.h"

#include <QtTest>

class tst_play_PlayProgress : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    clsUser m_user;

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        m_game->setCounts({18, 9});
        MessageRecorder answers(true);
        QVERIFY(m_user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }
    void cleanup() { delete m_game; }

    void aSecondAddsOneToItsGameTypeOnly()
    {
        m_user.setTime(mdlConst::Classic, 125);
        m_user.setTime(mdlConst::Bonus, 7);
        QCOMPARE(PlayProgress::countSecond(m_user, mdlConst::Classic), 126);
        QCOMPARE(PlayProgress::countSecond(m_user, mdlConst::Classic), 127);
        QCOMPARE(m_user.Time(mdlConst::Classic), 127);
        QCOMPARE(m_user.Time(mdlConst::Bonus), 7);
        QCOMPARE(PlayProgress::countSecond(m_user, mdlConst::Puzzle), 1);
        QCOMPARE(m_user.Time(mdlConst::Puzzle), 1);
    }

    void theTotalHoldsAtTheMostAProfileStores()
    {
        m_user.setTime(mdlConst::Classic, clsUser::MaxSeconds - 1);
        QCOMPARE(PlayProgress::countSecond(m_user, mdlConst::Classic), clsUser::MaxSeconds);
        QCOMPARE(PlayProgress::countSecond(m_user, mdlConst::Classic), clsUser::MaxSeconds);
        QCOMPARE(m_user.Time(mdlConst::Classic), clsUser::MaxSeconds);
    }

    void aSecondThatCannotBeWrittenIsReported()
    {
        const QString path = m_user.profilePath();
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        QCOMPARE(PlayProgress::countSecond(m_user, mdlConst::Classic), -1);
    }

    void aCategoryIsCompleteWhenEveryPictureIsSolved()
    {
        for (int n = 1; n <= 17; ++n)
            m_user.setItem(n, 1);
        QVERIFY(!PlayProgress::isComplete(m_user, 1));
        m_user.setItem(18, 1);
        QVERIFY(PlayProgress::isComplete(m_user, 1));
        QVERIFY(!PlayProgress::isComplete(m_user, 2));
    }
};

QTEST_GUILESS_MAIN(tst_play_PlayProgress)
#include "tst_play_PlayProgress.moc"
