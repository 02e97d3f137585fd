// lumivo-pack grab and content.tsv's film lines, run as a content maker runs them.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QtTest>

namespace {
struct Ran {
    int code = -1;
    QString out;
    QString err;
};

Ran pack(const QStringList &arguments)
{
    QProcess process;
    process.start(LUMIVO_GAME_DIR "/lumivo-pack", arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

int changed(const QImage &a, const QImage &b, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}
} // namespace

class tst_Grab : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString h264() const { return film("h264.mkv -c:v libx264 -bf 3"); }

    // A film named and encoded as `spec` says ("NAME FFMPEG-OPTIONS"), made once: 160 × 90, 3 s of
    // 24 frames, a key frame a second; frame n is (37n, 91n, 53n + 40) modulo 256 but for a white figure.
    QString film(const QString &spec) const
    {
        const QString made = path(spec.section(' ', 0, 0));
        const QString source
            = "color=black:s=160x90:r=24:d=3,format=rgb24,geq=r='mod(N*37\\,256)':g='mod(N*91\\,256)'"
              ":b='mod(N*53+40\\,256)',drawbox=64:25:32:40:white:fill";
        if (!QFile::exists(made))
            QProcess::execute("ffmpeg", ("-v error -f lavfi -i " + source + ' ' + spec.section(' ', 1)
                                         + " -g 24 -pix_fmt yuv420p")
                                                .split(' ')
                                            << made);
        return made;
    }

private slots:
    void initTestCase()
    {
        QFile text(path("text.mkv"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a film\n") > 0);
        QVERIFY(QFile::copy(h264(), path("half.mkv"))
                && QFile(path("half.mkv")).resize(QFileInfo(h264()).size() / 2));
        QImage flat(320, 180, QImage::Format_RGB888);
        flat.fill(QColor(40, 110, 60));
        QVERIFY(flat.save(path("flat.png")) && flat.copy(0, 0, 10, 10).save(path("small.png")));
        QPainter(&flat).fillRect(140, 60, 40, 70, Qt::white); // a figure
        QVERIFY(flat.save(path("figure.png")) && QImage(8200, 8, flat.format()).save(path("wide.png")));
    }

    void grabbedStillIsTheFrameShownAtTheTime_data()
    {
        QTest::addColumn<QString>("film");
        QTest::addColumn<int>("frame");
        QTest::addColumn<QString>("time");
        QTest::newRow("H.264, B-frames, Matroska") << "h264.mkv -c:v libx264 -bf 3" << 60 << "2.5";
        QTest::newRow("H.264, B-frames, MP4") << "h264.mp4 -c:v libx264 -bf 3" << 24 << "00:00:01.020";
        QTest::newRow("H.264, MPEG-TS, first frame") << "h264.ts -c:v libx264 -bf 3" << 0 << "0";
        QTest::newRow("H.264, MPEG-TS, last second") << "h264.ts -c:v libx264 -bf 3" << 70 << "00:00:02.950";
        QTest::newRow("MPEG-4, B-frames") << "mpeg4.mp4 -c:v mpeg4 -bf 2" << 60 << "2.5";
        QTest::newRow("VP9, WebM") << "vp9.webm -c:v libvpx-vp9 -deadline realtime" << 60 << "0:02.5";
    }
    void grabbedStillIsTheFrameShownAtTheTime()
    {
        QFETCH(QString, film);
        QFETCH(int, frame);
        QFETCH(QString, time);
        const Ran grabbed = pack({"grab", this->film(film), time, path("still.png")});
        QVERIFY2(grabbed.code == 0, qPrintable(grabbed.err));
        const QImage still(path("still.png"));
        QCOMPARE(still.size(), QSize(200, 110)); // a Classic cell's picture
        // Frames differ by 38 at least in the sum of these: a lossy film keeps well within half of it.
        const QRgb got = still.pixel(5, 5);
        const int off = qAbs(qRed(got) - frame * 37 % 256) + qAbs(qGreen(got) - frame * 91 % 256)
                        + qAbs(qBlue(got) - (frame * 53 + 40) % 256);
        QVERIFY2(off < 16, qPrintable(QColor(got).name()));
    }

    void badInputIsRefusedWithItsReason_data()
    {
        QTest::addColumn<QString>("arguments"); // input, time, options
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text named .mkv") << "text.mkv 1" << 1 << "non è un film";
        QTest::newRow("truncated") << "half.mkv 2.5" << 1 << "troncato";
        QTest::newRow("past the end") << "h264.mkv 3" << 1 << "dura 00:00:03.000";
        QTest::newRow("frame over 8192") << "wide.png 0" << 1 << "8200 × 8";
        QTest::newRow("mask of another size")
            << "flat.png 0 --remove small.png" << 1 << "deve avere la misura";
        QTest::newRow("no face, flat frame") << "flat.png 0 --cover-faces" << 3 << "nessun volto";
        QTest::newRow("not a time") << "h264.mkv 1:2:3" << 2 << "non è un tempo";
    }
    void badInputIsRefusedWithItsReason()
    {
        QFETCH(QString, arguments);
        QFETCH(int, code);
        QFETCH(QString, expected);
        QFile::remove(path("out.png"));
        QStringList words
            = arguments.split(' ').replaceInStrings(QRegularExpression("^(.*\\.[a-z]{3})$"), path("\\1"));
        const Ran refused
            = pack(QStringList {"grab", words.takeFirst(), words.takeFirst(), path("out.png")} + words);
        QVERIFY2(refused.code == code && refused.err.contains(expected), qPrintable(refused.err));
        // The one warning writes its still, uncovered; a refusal writes nothing.
        QCOMPARE(QFile::exists(path("out.png")), code == 3);
    }

    // A face drawn as the classifier knows faces, and one given by hand, covered as the seed says.
    void facesAreCoveredAndTheRestKept()
    {
        QImage frame(640, 240, QImage::Format_RGB888);
        frame.fill(QColor(60, 70, 90));
        QPainter painter(&frame);
        painter.setPen(Qt::NoPen);
        for (const auto &[colour, oval] : {std::pair(QColor(225, 185, 160), QRect(100, 40, 120, 160)),
                                           {QColor(40, 30, 30), QRect(123, 98, 24, 14)},
                                           {QColor(40, 30, 30), QRect(173, 98, 24, 14)},
                                           {QColor(120, 40, 40), QRect(138, 158, 44, 14)}})
            painter.setBrush(colour), painter.drawEllipse(oval);
        painter.end();
        QVERIFY(frame.save(path("face.png")));
        const Ran shown = pack({"grab", path("face.png"), "0", path("boxes.png"), "--show-faces"});
        QVERIFY2(shown.code == 0 && shown.out.contains("volto 1:"), qPrintable(shown.out + shown.err));
        QVector<QImage> covers;
        for (const char *seed : {"0", "1", "2"}) {
            const Ran covered = pack({"grab", path("face.png"), "0", path("covered.png"), "--size", "640x240",
                                      "--cover-faces", "--face", "400,80,60,60", "--seed", seed});
            QVERIFY2(covered.code == 0 && covered.out.contains("2 volti coperti"), qPrintable(covered.err));
            covers.append(QImage(path("covered.png")));
            QVERIFY(changed(frame, covers.last(), QRect(120, 80, 80, 90)) > 80 * 90 * 95 / 100);
            QVERIFY(changed(frame, covers.last(), QRect(400, 80, 60, 60)) > 60 * 60 * 95 / 100);
            QCOMPARE(changed(frame, covers.last(), QRect(560, 0, 80, 240)), 0);
        }
        QVERIFY(covers[0] != covers[1] || covers[0] != covers[2]);
    }

    // A mask of the frame's size (320 × 180) is used before scaling, one of the still's after it.
    void removalFillsTheMaskAndKeepsTheRest()
    {
        const QStringList grab {"grab", path("figure.png"), "0", "--size", "160x90"};
        QVERIFY(pack(grab + QStringList {path("plain.png")}).code == 0);
        const QImage plain(path("plain.png"));
        for (int scale : {2, 1}) {
            QImage mask(QSize(160, 90) * scale, QImage::Format_RGB888);
            mask.fill(Qt::black);
            QPainter(&mask).fillRect(QRect(QPoint(68, 28) * scale, QSize(24, 39) * scale), Qt::white);
            QVERIFY(mask.save(path("mask.png")));
            const Ran removed = pack(grab + QStringList {path("removed.png"), "--remove", path("mask.png")});
            QVERIFY2(removed.code == 0, qPrintable(removed.err));
            const QImage still(path("removed.png"));
            const QRect figure(70, 30, 20, 35);
            QCOMPARE(changed(plain, still, figure), figure.width() * figure.height());
            QVERIFY(qAbs(qGreen(still.pixel(figure.center())) - 110) <= 2); // filled from the green around
            // Nothing changed outside the mask, with a pixel for the scaling after a removal.
            QCOMPARE(changed(plain, still, still.rect()), changed(plain, still, QRect(67, 27, 26, 41)));
        }
    }

    // The same pack byte for byte at every build: alike manifests that verify finds true.
    void buildFromFilmLinesIsReproducible()
    {
        QDir source(path("source"));
        QVERIFY(source.mkpath("films") && QFile::copy(h264(), source.filePath("films/a b.mkv")));
        QFile list(source.filePath("content.tsv"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("12\tfilms/a b.mkv@00:00:01.5\tUno\n"
                   "12\tfilms/a b.mkv@2 cover-faces face=20,10,40,40 size=320x180\tDue\n"
                   "12\tfilms/a b.mkv@00:00:02.5 cover-faces\tTre\n");
        list.close();
        QByteArrayList manifests;
        for (const QString &data : {path("Data1"), path("Data2")}) {
            const Ran made = pack({"build", source.path(), data});
            QVERIFY2(made.code == 0 && made.err.contains("riga 3: nessun volto trovato in"),
                     qPrintable(made.err));
            const Ran ok = pack({"verify", data});
            QVERIFY2(ok.code == 0 && ok.out.contains("a posto: 3 immagini"), qPrintable(ok.out));
            QFile manifest(data + "/index.sha256");
            manifests.append(manifest.open(QIODevice::ReadOnly) ? manifest.readAll() : "(none)");
        }
        QCOMPARE(manifests[0], manifests[1]);
    }
};

int main(int argc, char *argv[])
{
    // Nothing to test where lumivo-grab was not built (no FFmpeg or OpenCV) or ffmpeg is missing.
    if (!QFileInfo(LUMIVO_GAME_DIR "/lumivo-grab").isExecutable()
        || QStandardPaths::findExecutable("ffmpeg").isEmpty())
        return 77;
    QGuiApplication app(argc, argv);
    tst_Grab test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Grab.moc"
