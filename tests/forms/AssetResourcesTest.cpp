// The pictures as the windows load them: from the program's resources,
// through Qt's image readers.

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <set>

class AssetResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void coverPictureIsAPalettedBitmap()
    {
        const QImage cover(":/assets/copertina.bmp");
        QVERIFY(!cover.isNull());
        QCOMPARE(cover.size(), QSize(415, 89));
        QCOMPARE(cover.format(), QImage::Format_Indexed8);
        std::set<int> used;
        for (int y = 0; y < cover.height(); ++y)
            for (int x = 0; x < cover.width(); ++x)
                used.insert(cover.pixelIndex(x, y));
        QCOMPARE(used.size(), std::size_t(39));
        QCOMPARE(cover.pixel(0, 0), qRgb(255, 255, 255));
    }

    void aboutIconHasTransparentCorners()
    {
        QImageReader reader(":/assets/icona.ico");
        QCOMPARE(reader.imageCount(), 1);
        const QImage icon = reader.read();
        QVERIFY2(!icon.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(16, 24)), 255);
    }

    void programIconOffersBothSizes()
    {
        const QIcon icon(":/assets/dravelo.ico");
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        QCOMPARE(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
    }
};

QTEST_MAIN(AssetResourcesTest)
#include "AssetResourcesTest.moc"
